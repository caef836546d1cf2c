#include "cards/CardNameInput.h"

#include "cards/CardName.h"

CardNameInput::CardNameInput(std::vector<KanaKeyboard> keyboards)
    : m_keyboards(std::move(keyboards))
{
    m_line.WordLength = static_cast<std::int16_t>(CardName::kAskedLength);
}

bool CardNameInput::Key(std::int16_t keyCode)
{
    for (const KanaKeyboard& keyboard : m_keyboards) {
        DrillState line = m_line;
        bool kanaSet = false;
        if (!keyboard.input().EditInput(line, keyCode, kanaSet)
            || line.TypedText == m_line.TypedText)
            continue;
        m_lastKana = kanaSet ? line.SoundFile : std::u16string();
        m_line = std::move(line);
        return true;
    }
    return false;
}

bool CardNameInput::Pick(char16_t kana)
{
    if (m_line.TypedText.size() >= CardName::kAskedLength || m_keyboards.empty()
        || !m_keyboards.front().canType(kana))
        return false;
    m_line.TypedText += kana;
    m_lastKana = std::u16string(1, kana);
    return true;
}

void CardNameInput::Clear()
{
    m_line.TypedText.clear();
    m_lastKana.clear();
}
