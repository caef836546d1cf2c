#pragma once

#include <cstdint>

// A rectangle in twips (1/1440 inch), as the windows' geometry is kept; each window converts to
// its screen's pixels.
struct TwipRect
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};
