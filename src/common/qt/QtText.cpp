#include "common/qt/QtText.h"

#include <QFile>

#include <type_traits>

namespace {

// Templates, so that only the branch of the system's own path type is compiled.
template<class Path> QString nameOf(const Path& path)
{
    if constexpr (std::is_same_v<typename Path::value_type, wchar_t>)
        return QString::fromStdWString(path.native());
    else
        return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

template<class Path> Path pathOf(const QString& name)
{
    if constexpr (std::is_same_v<typename Path::value_type, wchar_t>)
        return Path(name.toStdWString());
    else
        return Path(QFile::encodeName(name).toStdString());
}

} // namespace

QString QtText::toQString(std::u16string_view text)
{
    return QString(
        reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

std::u16string QtText::toU16(const QString& text)
{
    return std::u16string(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

QString QtText::fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString QtText::fromPath(const std::filesystem::path& path)
{
    return nameOf(path);
}

std::filesystem::path QtText::toPath(const QString& name)
{
    return pathOf<std::filesystem::path>(name);
}
