#pragma once

#include <cstdint>
#include <string>

class KanaKeyboard;

// The kana key tables of the help page, written from the drill's own key tables, so the page
// can never say a key that the drill does not take.
class KeyTableHtml
{
public:
    // One row per kana: the kana, its key on an ordinary JIS keyboard, its key on the Talking
    // Aid; the kana with a mark follow in a second table, as their key and the mark key.
    static std::string Tables(const KanaKeyboard& ordinary, const KanaKeyboard& talkingAid);
    // How a key code is typed on a JIS keyboard: "T", "Shift + Z", "Shift + ¥", "スペース".
    static std::string JisKey(std::int16_t keyCode);
};
