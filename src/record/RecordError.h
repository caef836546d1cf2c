#pragma once

#include <stdexcept>
#include <string>

// A failure of the record that the teacher must hear of; never one that stops a drill.
class RecordError : public std::runtime_error
{
public:
    enum class Kind
    {
        Locked, // another program holds the database
        ReadOnly,
        Full, // the disk is full
        Damaged, // the file is not a database (it has been set aside)
        NameTaken, // a child of that name exists
        UnknownChild,
        Other,
    };

    RecordError(Kind kind, const std::string& what);
    // With a sentence of its own for the teacher, where the kind's usual one would not fit.
    RecordError(Kind kind, const std::string& what, std::u16string teacherText);

    Kind kind() const { return m_kind; }
    // One plain Japanese sentence for the teacher's window and standard error.
    std::u16string teacherText() const;

private:
    Kind m_kind;
    std::u16string m_teacherText;
};
