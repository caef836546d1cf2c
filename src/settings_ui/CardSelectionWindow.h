#pragma once

#include "common/DataStore.h"
#include "common/ProgramState.h"
#include "settings_ui/CardSelectionView.h"

#include <cstdint>

// The logic of the card selection window: lists every picture of the folder with the deck's
// names marked, and makes the marked names the new deck when "決定" is pressed with enough of
// them. The list holds the marks being edited; the deck changes only on confirmation.
class CardSelectionWindow
{
public:
    static constexpr std::int16_t MinimumDeckSize = 4;

    CardSelectionWindow(ProgramState& program, CardSelectionView& view, DataStore& data);

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    void FillPictureList();
    void MarkAll();
    void UnmarkAll();
    void ConfirmSelection();

private:
    bool inDeck(std::int16_t pictureIndex) const;

    ProgramState& m_program;
    CardSelectionView& m_view;
    DataStore& m_data;
};
