#pragma once

#include "common/Settings.h"
#include "drill/DrillRecord.h"
#include "record/Attempt.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

class RecordClock;
class RecordWriter;

// The drill's record of one child: notes the keys of each presentation of a card and, at each
// judged Enter, hands the finished answer to the writer. Runs on the drill's thread and never
// touches the disk itself.
class ChildRecorder final : public DrillRecord
{
public:
    // settings: the drill's own, read at each answer, since the teacher may change the key
    // guard or the keyboard while the drill runs.
    // childName: as the launcher named the child (empty when it did not).
    ChildRecorder(RecordWriter& writer, RecordClock& clock, const Settings& settings,
        std::int64_t childId, std::u16string childName, std::filesystem::path folder);

    void runStarted() override;
    void cardPresented(std::u16string_view word, bool repeat) override;
    void promptEnded() override;
    void keyTaken(Key key) override;
    void keyDiscarded() override;
    void wordJudged(std::u16string_view word, std::u16string_view typed, bool right) override;
    void runEnded() override;

private:
    RecordWriter& m_writer;
    RecordClock& m_clock;
    const Settings& m_settings;
    const std::int64_t m_childId;
    const std::u16string m_childName;
    const std::filesystem::path m_folder;

    bool m_started = false;
    bool m_ended = false;
    // The card on screen and what the child has done with it since it was presented.
    std::u16string m_word;
    bool m_firstTry = true;
    std::optional<std::int64_t> m_promptEndedMs;
    int m_kanaKeys = 0;
    int m_backspaces = 0;
    int m_markKeys = 0;
    int m_discardedKeys = 0;
};
