#pragma once

#include "common/Colour.h"

#include <QColor>

// Reads and writes the program's colour values, written &H00BBGGRR with red in the lowest byte.
class BgrColour
{
public:
    static QColor toQColor(Colour colour);
    static Colour fromQColor(const QColor& colour);
    // The system's text colour where it can be read on the background, otherwise black or white
    // (see ColourContrast).
    static QColor readableOn(const QColor& text, const QColor& background);
};
