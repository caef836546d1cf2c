#include "common/ColourContrast.h"

#include <algorithm>
#include <cmath>

namespace {

// One sRGB channel of 0 to 255, undone to linear light.
double linear(std::uint32_t channel)
{
    const double value = static_cast<double>(channel & 0xFFu) / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(std::uint32_t colour)
{
    return 0.2126 * linear(colour) + 0.7152 * linear(colour >> 8) + 0.0722 * linear(colour >> 16);
}

} // namespace

double ColourContrast::Ratio(std::uint32_t first, std::uint32_t second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::uint32_t ColourContrast::Readable(std::uint32_t text, std::uint32_t background)
{
    if (Ratio(text, background) >= kReadableRatio)
        return text;
    return Ratio(kBlack, background) >= Ratio(kWhite, background) ? kBlack : kWhite;
}
