#pragma once

#include <QImage>

// Draws the keyboard set-up picture shown before the first card: how to switch the Talking Aid
// keyboard and its USB adapter to plain character input, and to press Enter when done.
class SetupPicture
{
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    // At scale 2 the same drawing in twice the pixels, for screens wider than the picture.
    static QImage draw(int scale = 1);
};
