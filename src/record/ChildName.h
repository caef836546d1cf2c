#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A child's name as the record keeps it. The teacher's window, the launcher's options and the
// store all take a typed name through here, so that one child never becomes two: blanks of
// every kind come off both ends and the name is kept composed (NFC, as a Mac's decomposed が
// becomes the が typed on Windows); characters that show nothing or mean something only on one
// computer are refused; and two names that look the same once widths, compatibility forms
// and blanks are set aside are the same name.
class ChildName
{
public:
    // Counted in Unicode characters (code points): twenty kanji fit the list, the report's
    // heading and the PDF's title whole.
    static constexpr std::size_t kMostCharacters = 20;

    static std::u16string Cleaned(std::u16string_view typed);
    // Why a cleaned name cannot be a child's, in one Japanese sentence for the teacher; nothing
    // when it can.
    static std::optional<std::u16string> Refusal(std::u16string_view cleaned);
    // Equal for names that must not belong to two children: the compatibility form (NFKC), with
    // every blank and every character that shows nothing taken out.
    static std::u16string Key(std::u16string_view name);
};
