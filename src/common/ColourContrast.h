#pragma once

#include <cstdint>

// Whether text can be read on its background, by the contrast ratio of the Web Content
// Accessibility Guidelines. Colours are 24-bit values written &H00BBGGRR: red in the lowest
// byte.
class ColourContrast
{
public:
    static constexpr std::uint32_t kBlack = 0x00000000;
    static constexpr std::uint32_t kWhite = 0x00FFFFFF;
    // The least ratio for ordinary text.
    static constexpr double kReadableRatio = 4.5;

    // From 1 (the same colour) to 21 (black and white), the same either way round.
    static double Ratio(std::uint32_t first, std::uint32_t second);
    // The text colour itself when it contrasts with the background by at least 4.5:1; otherwise
    // black or white, whichever contrasts more.
    static std::uint32_t Readable(std::uint32_t text, std::uint32_t background);
};
