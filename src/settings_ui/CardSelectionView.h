#pragma once

#include <string>
#include <string_view>

// What CardSelectionWindow needs of the card selection window Form3: its multi-select list.
class CardSelectionView
{
public:
    virtual ~CardSelectionView() = default;

    // Sets the text of an item; an index equal to the item count appends one.
    virtual void setItemText(int index, std::u16string_view text) = 0;
    virtual std::u16string itemText(int index) const = 0;
    virtual void setItemMarked(int index, bool marked) = 0;
    virtual bool isItemMarked(int index) const = 0;
    // Brings the drill window Form1 to the front, which activates it.
    virtual void showDrill() = 0;
};
