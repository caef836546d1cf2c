#pragma once

#include "cards/KanaKeyboard.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The word of a card as the drill asks it, and whether a child can type it: the picture's name
// up to its first ".", of which the first ten characters are asked (all of it is spoken).
class CardName
{
public:
    static constexpr std::size_t kAskedLength = 10;

    // The whole word of a picture's name.
    static std::u16string Word(std::u16string_view pictureName);
    // The part of the word the drill asks for.
    static std::u16string AskedPart(std::u16string_view word);

    // Why the asked part can't be typed on the keyboards, in words for the teacher; nothing when
    // every keyboard types it. Names the characters and what they are (カタカナ, 漢字 …) and,
    // when only some of the keyboards fail, which.
    static std::optional<std::u16string> UntypeableReason(
        std::u16string_view word, const std::vector<KanaKeyboard>& keyboards);
    // The word a child could type that the teacher most likely meant: katakana (full- or
    // half-width) given as hiragana, blanks and double quotes taken out. Empty when no such
    // word can be given, when it would be the word itself, or when it is longer than a new
    // card's word may be.
    static std::u16string Suggestion(
        std::u16string_view word, const std::vector<KanaKeyboard>& keyboards);
    // Why a new card may not get this word (the card maker, a rename): empty, not typeable, or
    // longer than the drill asks. Nothing when it may.
    static std::optional<std::u16string> NewWordProblem(
        std::u16string_view word, const std::vector<KanaKeyboard>& keyboards);

    // What kind of character it is, for the teacher: "カタカナ", "漢字", "空白" ….
    static std::u16string CharacterKind(char16_t unit);
};
