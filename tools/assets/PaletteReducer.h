#pragma once

#include <QImage>

// Stores a flat drawing in 256 colours, which a PNG decoder reads several times faster than true
// colour. The palette starts from the most used colours, so the large areas keep their exact
// colour, and is then refined (k-means over the colours, weighted by use) so that the rare
// shades along anti-aliased edges stay close. No dithering: it would speckle the flat areas.
class PaletteReducer
{
public:
    static QImage reduce(const QImage& image);
};
