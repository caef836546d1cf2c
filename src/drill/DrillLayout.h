#pragma once

#include "drill/DrillView.h"

#include <cstdint>

// Where the drill window's widgets go, in twips, for a window of outer size W × H. Pure
// arithmetic: the session applies the results to its view.
class DrillLayout
{
public:
    static constexpr Colour kModelWordColour = 0x00FF8080; // light blue
    static constexpr Colour kHiddenWordColour = 0x00FFFFFF; // white on white

    struct WordLabels
    {
        std::int32_t cellSize = 0;
        // Label1's box as set before its text is; Label2 shares its left and top.
        TwipRect label1;
        int fontSize = 0;
    };

    static int MarkFontSize(TwipSize window);
    static TwipRect MarkBox(TwipSize window);
    static TwipRect CardPictureBox(TwipSize window);
    static WordLabels PlaceWordLabels(TwipSize window, std::int16_t wordLength);
    static Colour ModelWordColour(bool showModelWord);
};
