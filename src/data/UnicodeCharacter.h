#pragma once

// What the program needs to know of one Unicode character to judge a name typed by a teacher:
// whether it is a blank, whether it shows at all, and whether it is one that no name should
// hold. ICU's character properties on Linux, the system's character types on Windows; where
// Windows has no property for it, the ranges that Unicode has fixed for good.
class UnicodeCharacter
{
public:
    enum class Kind
    {
        Visible, // letters, digits, symbols, punctuation
        Space, // a blank that may stand between words (Unicode's space separators)
        Mark, // combining marks and variation selectors: seen only on the character before
        Invisible, // shows nothing and is no blank (the Hangul fillers)
        Control, // control and format characters (zero-width, direction), line separators
        PrivateUse, // characters that mean something only on one computer (外字)
        Surrogate, // half of a UTF-16 pair, alone
    };

    static Kind kindOf(char32_t c);
    // Unicode's White_Space: the blanks a name loses at both ends, and never compares by.
    static bool isBlank(char32_t c);
};
