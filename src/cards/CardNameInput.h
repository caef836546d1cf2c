#pragma once

#include "cards/KanaKeyboard.h"
#include "drill/DrillState.h"

#include <cstdint>
#include <string>
#include <vector>

// The name of a new card, typed as the child types: plain character keys mapped to kana by the
// drill's own key tables, Backspace, and the voiced and semi-voiced mark keys; or picked kana by
// kana from an on-screen board. So no Japanese input method is needed, and every name typed
// here is one the child can type too.
class CardNameInput
{
public:
    // keyboards: the folder's keyboard first; a key that gives nothing there is tried on the
    // others (the teacher may type on an ordinary keyboard while the child has a Talking Aid).
    explicit CardNameInput(std::vector<KanaKeyboard> keyboards);

    // Applies a key; true when it changed the name. The kana produced or changed is then in
    // lastKana (nothing for Backspace).
    bool Key(std::int16_t keyCode);
    // Appends a kana picked on the board; marked kana are accepted as they are. False when the
    // name is full or the kana can't be typed.
    bool Pick(char16_t kana);
    void Clear();

    const std::u16string& text() const { return m_line.TypedText; }
    const std::u16string& lastKana() const { return m_lastKana; }
    const std::vector<KanaKeyboard>& keyboards() const { return m_keyboards; }

private:
    std::vector<KanaKeyboard> m_keyboards;
    DrillState m_line;
    std::u16string m_lastKana;
};
