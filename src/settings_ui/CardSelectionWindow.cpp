#include "settings_ui/CardSelectionWindow.h"

CardSelectionWindow::CardSelectionWindow(
    ProgramState& program, CardSelectionView& view, DataStore& data)
    : m_program(program)
    , m_view(view)
    , m_data(data)
{ }

void CardSelectionWindow::Form_Activate()
{
    FillPictureList();
}

void CardSelectionWindow::Command1_Click()
{
    ConfirmSelection();
}

void CardSelectionWindow::Command2_Click()
{
    m_view.showDrill();
}

void CardSelectionWindow::Command3_Click()
{
    MarkAll();
}

void CardSelectionWindow::Command4_Click()
{
    UnmarkAll();
}

bool CardSelectionWindow::inDeck(std::int16_t pictureIndex) const
{
    // Indices count up from 0 below the picture and deck counts, never past the capacity.
    const std::u16string& name = m_program.AllPictures[static_cast<std::size_t>(pictureIndex)];
    for (std::int16_t j = 0; j < m_program.deckCount(); ++j) {
        if (m_program.Deck[static_cast<std::size_t>(j)] == name)
            return true;
    }
    return false;
}

// Every visit shows exactly the current deck marked: marks left from an earlier visit that was
// cancelled would otherwise look like part of the deck to the teacher.
void CardSelectionWindow::FillPictureList()
{
    for (std::int16_t i = 0; i < m_program.pictureCount(); ++i) {
        m_view.setItemText(i, m_program.AllPictures[static_cast<std::size_t>(i)]);
        m_view.setItemMarked(i, inDeck(i));
    }
}

void CardSelectionWindow::MarkAll()
{
    for (std::int16_t i = 0; i < m_program.pictureCount(); ++i)
        m_view.setItemMarked(i, true);
}

void CardSelectionWindow::UnmarkAll()
{
    for (std::int16_t i = 0; i < m_program.pictureCount(); ++i)
        m_view.setItemMarked(i, false);
}

void CardSelectionWindow::ConfirmSelection()
{
    std::int16_t marked = 0;
    for (std::int16_t i = 0; i < m_program.pictureCount(); ++i) {
        if (m_view.isItemMarked(i))
            ++marked;
    }
    if (marked < MinimumDeckSize)
        return;

    std::int16_t k = 0;
    for (std::int16_t i = 0; i < m_program.pictureCount(); ++i) {
        // k counts the marked items so far, fewer than the picture count.
        if (m_view.isItemMarked(i))
            m_program.Deck[static_cast<std::size_t>(k++)] = m_view.itemText(i);
    }
    m_program.DeckCount = k;
    m_data.SaveSelection();
    m_view.showDrill();
}
