#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

// Moves text between the core's UTF-16 strings and Qt's QString. Both hold UTF-16 code units,
// so the conversion copies units one for one and never changes a character.
class QtText
{
public:
    static QString toQString(std::u16string_view text);
    static std::u16string toU16(const QString& text);
    // Text from the C++ library, such as an exception's what(), which this program writes as
    // UTF-8; invalid bytes become replacement characters rather than being dropped.
    static QString fromUtf8(std::string_view text);
    // Between paths and Qt's file names: the file system's bytes decoded as Qt does on Linux,
    // the UTF-16 name as it is on Windows, so a name reaches the same file both ways.
    static QString fromPath(const std::filesystem::path& path);
    static std::filesystem::path toPath(const QString& name);
};
