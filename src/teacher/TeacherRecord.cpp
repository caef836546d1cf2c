#include "teacher/TeacherRecord.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/PendingAnswers.h"
#include "record/RecordError.h"
#include "record/RecordProblems.h"
#include "record/RecordStore.h"
#include "teacher/TeacherView.h"

#include <string>
#include <utility>

TeacherRecord::TeacherRecord(TeacherView& view, std::filesystem::path records)
    : m_view(view)
    , m_records(std::move(records))
{
}

bool TeacherRecord::with(const std::function<void(RecordStore&)>& work, Failure failure)
{
    bool done = false;
    try {
        RecordStore records(m_records);
        work(records);
        done = true;
    } catch (const RecordError& error) {
        if (failure == Failure::Warn)
            m_view.warn(error.teacherText());
        else
            tell(error.teacherText());
    }
    // Opening may have set a damaged file aside or taken in answers that waited: both are noted
    // in the record's problems, which are shown at once.
    readProblems();
    return done;
}

// Answers a drill kept beside the record that no opening could take in yet (the disk still full,
// the record still held): the teacher should know they are safe, and wait.
void TeacherRecord::tellWaitingAnswers()
{
    const PendingAnswers pending(m_records);
    if (const std::size_t waiting = pending.waitingAnswers()) {
        tell(u"記録に書きこめていない答えが" + Utf8Text::decodeReplacing(std::to_string(waiting))
            + u"件、「" + Utf8Text::decodeReplacing(PathText::utf8(pending.file().filename()))
            + u"」で待っています。ディスクの空きと、記録のファイルを確かめてください。記録を開け"
              u"たときに取りこみます。");
    }
}

void TeacherRecord::readProblems()
{
    try {
        for (const std::u16string& line : RecordProblems(m_records).take())
            tell(line);
    } catch (const std::exception& error) {
        tell(u"練習中に書けなかった記録の知らせを読めませんでした。\n"
            + Utf8Text::decodeReplacing(error.what()));
    }
}

void TeacherRecord::tell(std::u16string text)
{
    // The same failure met again by the next step is not said twice in a row.
    if (!m_messages.empty() && m_messages.back() == text)
        return;
    m_messages.push_back(std::move(text));
    m_view.setMessages(m_messages);
}

void TeacherRecord::clearMessages()
{
    m_messages.clear();
    m_view.setMessages(m_messages);
}
