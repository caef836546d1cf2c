#pragma once

#include <QImage>

// Draws the program icon: a stylised screen. The window's own icon is 32 × 32 pixels in 256
// colours; the desktop's larger sizes are the same drawing scaled up, in full colour with smooth
// edges.
class ProgramIcon
{
public:
    static constexpr int kSide = 32;
    // The sizes the desktop menu picks from.
    static constexpr int kDesktopSides[] = { 32, 48, 64, 128, 256 };

    static QImage draw(int side = kSide);
};
