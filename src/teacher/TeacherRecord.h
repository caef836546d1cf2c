#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class RecordStore;
class TeacherView;

// The teacher's window's way to the record and to the teacher's eyes: the record is opened for
// each piece of work and closed after it, never across a question to the teacher, and every
// problem (a failure, a damaged file set aside, answers that wait beside the record) is shown in
// the window's message area, or in a box the teacher answers.
class TeacherRecord
{
public:
    enum class Failure
    {
        Tell, // in the message area
        Warn, // in a box the teacher answers (a name refused, say)
    };

    TeacherRecord(TeacherView& view, std::filesystem::path records);

    // Opens the record, does the work and closes it; a failure is told and false returned.
    bool with(const std::function<void(RecordStore&)>& work, Failure failure = Failure::Tell);
    // Says how many answers wait beside the record, if any do.
    void tellWaitingAnswers();
    // Shows the notes the drills and the record left for the teacher, and takes them.
    void readProblems();
    void tell(std::u16string text);
    void clearMessages();

private:
    TeacherView& m_view;
    std::filesystem::path m_records;
    std::vector<std::u16string> m_messages;
};
