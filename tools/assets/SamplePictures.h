#pragma once

#include <QImage>
#include <QString>

#include <vector>

// Draws the sample picture cards: simple, recognisable things a child can name, each saved under
// its hiragana name in one of the three picture formats the drill reads.
class SamplePictures
{
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    struct Sample
    {
        QString word;
        QString suffix; // "jpg", "gif" or "bmp"
        QImage image;
    };

    static std::vector<Sample> draw();
};
