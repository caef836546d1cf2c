#include "record/RecordError.h"

#include <utility>

RecordError::RecordError(Kind kind, const std::string& what)
    : std::runtime_error(what)
    , m_kind(kind)
{ }

RecordError::RecordError(Kind kind, const std::string& what, std::u16string teacherText)
    : std::runtime_error(what)
    , m_kind(kind)
    , m_teacherText(std::move(teacherText))
{ }

std::u16string RecordError::teacherText() const
{
    if (!m_teacherText.empty())
        return m_teacherText;
    switch (m_kind) {
    case Kind::Locked:
        return u"記録のファイルをほかのプログラムが使っているため、記録できませんでした。";
    case Kind::ReadOnly:
        return u"記録のファイルに書きこめないため、記録できませんでした。";
    case Kind::Full:
        return u"ディスクがいっぱいのため、記録できませんでした。";
    case Kind::Damaged:
        return u"記録のファイルがこわれていたため、別の名前で残して、新しい記録を始めました。";
    case Kind::NameTaken:
        return u"その名前の子どもは、もういます。";
    case Kind::UnknownChild:
        return u"その子どもは記録にいません。";
    case Kind::Other:
        break;
    }
    return u"記録できませんでした。";
}
