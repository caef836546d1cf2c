#pragma once

#include "drill/DrillView.h"

#include <QColor>

// Reads the program's colour values, written &H00BBGGRR with red in the lowest byte.
class BgrColour
{
public:
    static QColor toQColor(Colour colour);
};
