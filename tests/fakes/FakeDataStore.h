#pragma once

#include "EventLog.h"

#include "common/DataStore.h"
#include "common/ProgramState.h"

#include <map>
#include <string>
#include <vector>

// Stands in for the data folder: start-up fills the state from what the test put here.
class FakeDataStore final : public DataStore
{
public:
    FakeDataStore(ProgramState& program, EventLog& log)
        : m_program(program)
        , m_log(log)
    { }

    void LoadSettings() override;
    void SaveSettings() override;
    bool ListPictures() override;
    void LoadSelection() override;
    void SaveSelection() override;
    void LoadPraisePhrases(PraisePhraseList& list) override;

    Settings settings;
    std::vector<std::u16string> pictures;
    // The file behind a listed picture name where the two differ (a name from a Mac, stored
    // decomposed and listed composed).
    std::map<std::u16string, std::u16string> files;
    // Names selected in the deck; empty means every picture.
    std::vector<std::u16string> selection;
    bool selectAll = true;
    std::vector<std::u16string> praise { u"よくできました" };
    int settingsSaves = 0;
    int selectionSaves = 0;

private:
    ProgramState& m_program;
    EventLog& m_log;
};
