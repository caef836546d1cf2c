#pragma once

#include <cstdint>

// A size in twips (1/1440 inch).
struct TwipSize
{
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const TwipSize&, const TwipSize&) = default;
};
