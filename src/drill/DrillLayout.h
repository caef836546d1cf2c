#pragma once

#include "drill/DrillView.h"

#include <cstdint>
#include <functional>
#include <vector>

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

    struct MarkPlacement
    {
        int fontSize = 0;
        TwipRect box;
    };
    // The ink of every mark the mark label may show, at a font size in points, each relative to
    // the label's top-left corner.
    using MarkInk = std::function<std::vector<TwipRect>(int points)>;

    static int MarkFontSize(TwipSize window);
    static TwipRect MarkBox(TwipSize window);
    // The mark's font size and box, fitted so that every mark is seen whole inside the client
    // area and over the word line on any screen shape: the plain box and font where they do
    // that (4:3 and 5:4 screens), otherwise the font changed only as much as needed.
    static MarkPlacement FitMark(TwipSize window, TwipSize client, const MarkInk& ink);
    // The card picture's box: the plain one where it ends above the word line of every card,
    // otherwise the same box shortened from below.
    static TwipRect CardPictureBox(TwipSize window);
    // Where a picture of the given size is drawn inside its box: as large as fits with its own
    // shape, centred. The arithmetic holds in any unit; the window uses it in device pixels.
    static TwipRect FitPicture(TwipRect box, TwipSize picture);
    static WordLabels PlaceWordLabels(TwipSize window, std::int16_t wordLength);
    static Colour ModelWordColour(bool showModelWord);
};
