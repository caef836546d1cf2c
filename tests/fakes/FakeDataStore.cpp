#include "FakeDataStore.h"

#include <algorithm>

void FakeDataStore::LoadSettings()
{
    m_log.add("LoadSettings");
    m_program.settings = settings;
}

void FakeDataStore::SaveSettings()
{
    m_log.add("SaveSettings");
    settings = m_program.settings;
    ++settingsSaves;
}

bool FakeDataStore::ListPictures()
{
    m_log.add("ListPictures");
    const auto count = std::min<std::size_t>(pictures.size(), ProgramState::kPictureCapacity);
    std::copy_n(pictures.begin(), count, m_program.AllPictures.begin());
    for (std::size_t i = 0; i < count; ++i) {
        const auto file = files.find(pictures[i]);
        m_program.PictureFiles[i] = file == files.end() ? std::u16string() : file->second;
    }
    m_program.AllPictureCount = static_cast<std::int16_t>(count);
    return count > 0;
}

void FakeDataStore::LoadSelection()
{
    m_log.add("LoadSelection");
    const std::vector<std::u16string>& names = selectAll ? pictures : selection;
    const auto count = std::min<std::size_t>(names.size(), ProgramState::kPictureCapacity);
    std::copy_n(names.begin(), count, m_program.Deck.begin());
    m_program.DeckCount = static_cast<std::int16_t>(count);
}

void FakeDataStore::SaveSelection()
{
    m_log.add("SaveSelection");
    selectAll = false;
    selection.assign(m_program.Deck.begin(), m_program.Deck.begin() + m_program.deckCount());
    ++selectionSaves;
}

void FakeDataStore::LoadPraisePhrases(PraisePhraseList& list)
{
    m_log.add("LoadPraisePhrases");
    list = {};
    const auto count = std::min<std::size_t>(praise.size(), PraisePhraseList::kCapacity);
    std::copy_n(praise.begin(), count, list.PraisePhrases.begin());
    list.PraiseCount = static_cast<std::int16_t>(count);
}
