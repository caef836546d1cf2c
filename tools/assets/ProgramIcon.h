#pragma once

#include <QImage>

// Draws the program icon: a stylised screen, 32 × 32 pixels in 256 colours.
class ProgramIcon
{
public:
    static constexpr int kSide = 32;

    static QImage draw();
};
