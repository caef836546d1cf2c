#include "cards/KanaKeyboard.h"

#include "data/DataFileNames.h"
#include "data/DataTextFile.h"
#include "data/SettingsFile.h"
#include "drill/DrillState.h"

KanaKeyboard::KanaKeyboard(bool talkingAid)
    : m_talkingAid(talkingAid)
{
    m_input.BuildKeyTable(talkingAid);
    m_input.BuildMarkTables();
    // Each kana key is typed on a line of its own and each mark key tried after it, through the
    // drill's own editing, so a kana counts as typeable exactly when the drill would produce it.
    for (int i = 0; i < KanaInput::kKeyCount; ++i) {
        const std::int16_t key = m_input.KeyCodes()[static_cast<std::size_t>(i)];
        for (const std::int16_t mark :
            { std::int16_t { 0 }, KanaInput::VoicedMarkKey, KanaInput::SemiVoicedMarkKey }) {
            DrillState line;
            line.WordLength = DrillState::MaxWordLength;
            bool kanaSet = false;
            m_input.EditInput(line, key, kanaSet);
            if (line.TypedText.size() != 1)
                continue;
            std::vector<std::int16_t> keys { key };
            if (mark != 0) {
                if (!m_input.EditInput(line, mark, kanaSet) || !kanaSet)
                    continue;
                keys.push_back(mark);
            }
            const char16_t kana = line.TypedText.front();
            if (m_keys.emplace(kana, std::move(keys)).second)
                m_order += kana;
        }
    }
}

std::u16string KanaKeyboard::name() const
{
    return m_talkingAid ? u"トーキングエイド" : u"ふつうのキーボード";
}

bool KanaKeyboard::canType(char16_t kana) const
{
    return m_keys.contains(kana);
}

std::u16string KanaKeyboard::untypeable(std::u16string_view word) const
{
    std::u16string missing;
    for (const char16_t unit : word) {
        if (!canType(unit) && missing.find(unit) == std::u16string::npos)
            missing += unit;
    }
    return missing;
}

std::vector<std::int16_t> KanaKeyboard::keysFor(char16_t kana) const
{
    const auto found = m_keys.find(kana);
    return found == m_keys.end() ? std::vector<std::int16_t> {} : found->second;
}

std::vector<KanaKeyboard> KanaKeyboard::ForFolder(const std::filesystem::path& folder)
{
    try {
        DataTextFile file;
        if (file.openForReading(folder / DataFileNames::kSettings, DataItemReader::Source::Program)
            == DataTextFile::OpenResult::Opened) {
            const Settings settings = SettingsFile::Parse(file);
            return { KanaKeyboard(settings.TalkingAidKeyboard != 0) };
        }
    } catch (const std::exception&) {
        // A damaged settings file is the drill's to mend; until then either keyboard may be used.
    }
    return { KanaKeyboard(true), KanaKeyboard(false) };
}
