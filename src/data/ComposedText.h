#pragma once

#include <optional>
#include <string>
#include <string_view>

// Unicode's composed form (NFC) of a text: a name copied from a Mac (ぶ as ふ + ゛) becomes the
// name a teacher types. ICU composes on Linux, the system's normalisation on Windows; both follow
// the same Unicode tables, so a folder's names come out the same on either.
class ComposedText
{
public:
    // Nothing when the system can't compose the text (an unpaired surrogate on Windows).
    static std::optional<std::u16string> of(std::u16string_view text);
};
