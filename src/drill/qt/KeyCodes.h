#pragma once

#include <cstdint>
#include <vector>

class QKeyEvent;

// The character codes a key press hands to the drill, in the order typed.
class KeyCodes
{
public:
    static std::vector<std::int16_t> of(const QKeyEvent& event);
};
