#pragma once

#include "drill/KanaInput.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The kana a child can type on one of the drill's two keyboards, and the keys that type each,
// taken from the drill's own key and mark tables so that the teacher's tools and the drill can
// never disagree about which card can be answered.
class KanaKeyboard
{
public:
    explicit KanaKeyboard(bool talkingAid);

    bool talkingAid() const { return m_talkingAid; }
    // "トーキングエイド" or "ふつうのキーボード".
    std::u16string name() const;

    bool canType(char16_t kana) const;
    // The characters of the word no key sequence gives, each once, in the word's order.
    std::u16string untypeable(std::u16string_view word) const;
    // The key codes that type a kana: its key, then the voiced or semi-voiced mark key for a
    // marked kana; empty when no keys do.
    std::vector<std::int16_t> keysFor(char16_t kana) const;
    // Every kana the keyboard types, in the order of the key table, each marked form after its
    // base.
    const std::u16string& typeableKana() const { return m_order; }
    const KanaInput& input() const { return m_input; }

    // The keyboard set in the folder's tapomi.txt; both keyboards when the file is missing or
    // can't be read, since the child may then use either.
    static std::vector<KanaKeyboard> ForFolder(const std::filesystem::path& folder);

private:
    bool m_talkingAid;
    KanaInput m_input;
    std::map<char16_t, std::vector<std::int16_t>> m_keys;
    std::u16string m_order;
};
