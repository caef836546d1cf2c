#include "record/ChildRecorder.h"

#include "record/RecordClock.h"
#include "record/RecordWriter.h"

ChildRecorder::ChildRecorder(RecordWriter& writer, RecordClock& clock, const Settings& settings,
    std::int64_t childId, std::u16string childName, std::filesystem::path folder)
    : m_writer(writer)
    , m_clock(clock)
    , m_settings(settings)
    , m_childId(childId)
    , m_childName(std::move(childName))
    , m_folder(std::move(folder))
{ }

void ChildRecorder::runStarted()
{
    if (m_started)
        return;
    m_started = true;
    m_writer.beginRun(m_childId, m_childName, m_folder, m_clock.unixMilliseconds());
}

void ChildRecorder::cardPresented(std::u16string_view word, bool repeat)
{
    m_word = word;
    m_firstTry = !repeat;
    m_promptEndedMs.reset();
    m_kanaKeys = 0;
    m_backspaces = 0;
    m_markKeys = 0;
    m_discardedKeys = 0;
}

void ChildRecorder::promptEnded()
{
    if (!m_promptEndedMs)
        m_promptEndedMs = m_clock.steadyMilliseconds();
}

void ChildRecorder::keyTaken(Key key)
{
    switch (key) {
    case Key::Kana:
        ++m_kanaKeys;
        break;
    case Key::Backspace:
        ++m_backspaces;
        break;
    case Key::Mark:
        ++m_markKeys;
        break;
    }
}

void ChildRecorder::keyDiscarded()
{
    ++m_discardedKeys;
}

void ChildRecorder::wordJudged(std::u16string_view word, std::u16string_view typed, bool right)
{
    if (!m_started || m_ended)
        return;
    Attempt attempt;
    attempt.whenMs = m_clock.unixMilliseconds();
    attempt.folder = m_folder;
    // The whole name as presented; the drill judges only the part that fits its line.
    attempt.word = m_word.empty() ? std::u16string(word) : m_word;
    attempt.typed = typed;
    attempt.right = right;
    attempt.firstTry = m_firstTry;
    if (m_promptEndedMs) {
        // Milliseconds within one run of the drill: far below 2^53, so the double is exact.
        const std::int64_t waitedMs = m_clock.steadyMilliseconds() - *m_promptEndedMs;
        attempt.secondsToEnter = static_cast<double>(waitedMs) / 1000.0;
    }
    attempt.kanaKeys = m_kanaKeys;
    attempt.backspaces = m_backspaces;
    attempt.markKeys = m_markKeys;
    attempt.discardedKeys = m_discardedKeys;
    attempt.keyGuardTenths = m_settings.KeyGuardTenths;
    attempt.talkingAidKeyboard = m_settings.TalkingAidKeyboard != 0;
    m_writer.addAttempt(std::move(attempt));
    // A second Enter on the same presentation cannot happen, but its answer would not be a
    // first try.
    m_firstTry = false;
}

void ChildRecorder::runEnded()
{
    if (!m_started || m_ended)
        return;
    m_ended = true;
    m_writer.endRun(m_clock.unixMilliseconds());
}
