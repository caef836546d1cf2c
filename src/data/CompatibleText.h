#pragma once

#include <string>
#include <string_view>

// Unicode's compatibility form (NFKC) of a text: half-width katakana become full-width, full-width
// letters and digits plain ones and the ideographic space a plain one, so that what a teacher
// typed can be told apart from what a child can. ICU on Linux, the system's normalisation on
// Windows; both follow the same Unicode tables.
class CompatibleText
{
public:
    // The text itself when the system can't give its form.
    static std::u16string of(std::u16string_view text);
};
