#pragma once

#include <QImage>

// Draws the keyboard set-up picture shown before the first card: how to switch the Talking Aid
// keyboard and its USB adapter to plain character input, and to press Enter when done.
class SetupPicture
{
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    static QImage draw();
};
