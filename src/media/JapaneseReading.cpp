#include "media/JapaneseReading.h"

#include "common/Utf8Text.h"

#include "media/MecabApi.h"

#include <filesystem>
#include <vector>

namespace {

// The pronunciation is the ninth field of an IPA dictionary entry.
constexpr std::size_t kPronunciationField = 8;

bool isKana(char16_t c)
{
    return (c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FA) || c == 0x30FC;
}

// Full-width letters and digits are read as their plain forms.
char16_t narrowed(char16_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E)
        return static_cast<char16_t>(c - 0xFF01 + 0x21);
    if (c == 0x3000)
        return u' ';
    return c;
}

// Keeps what the synthesizer can say as it stands; pauses are kept as the Japanese marks.
void appendSayable(std::u16string& out, std::u16string_view text)
{
    for (char16_t c : text) {
        c = narrowed(c);
        if (isKana(c) || c == u'、' || c == u'。' || c == u'？' || c == u'！')
            out += c;
        else if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
            out += c;
        else if (c == u',' || c == u'.' || c == u'?' || c == u'!' || c == u' ')
            out += c == u',' ? u'、'
                : c == u'.'  ? u'。'
                : c == u'?'  ? u'？'
                : c == u'!'  ? u'！'
                             : c;
    }
}

std::vector<std::string_view> fields(std::string_view feature)
{
    std::vector<std::string_view> out;
    while (true) {
        const std::size_t comma = feature.find(',');
        out.push_back(feature.substr(0, comma));
        if (comma == std::string_view::npos)
            return out;
        feature.remove_prefix(comma + 1);
    }
}

} // namespace

std::unique_ptr<JapaneseReading> JapaneseReading::create(const std::string& dictionary)
{
    std::error_code error;
    if (!std::filesystem::is_directory(dictionary, error))
        return nullptr;
    // No resource file: the dictionary is named here, so a missing mecabrc does not matter.
    std::unique_ptr<JapaneseReading> reading(new JapaneseReading("-r /dev/null -d " + dictionary));
    mecab_t* mecab = reading->open();
    if (!mecab)
        return nullptr;
    MecabApi::get()->Destroy(mecab);
    return reading;
}

JapaneseReading::JapaneseReading(std::string arguments)
    : m_arguments(std::move(arguments))
{ }

JapaneseReading::~JapaneseReading() = default;

mecab_t* JapaneseReading::open() const
{
    const MecabApi* api = MecabApi::get();
    return api ? api->New2(m_arguments.c_str()) : nullptr;
}

std::u16string JapaneseReading::read(std::u16string_view text)
{
    std::u16string sentence;
    for (char16_t c : text)
        sentence += narrowed(c);
    const std::string utf8 = Utf8Text::encode(sentence);
    std::u16string out;
    mecab_t* mecab = open();
    if (!mecab) {
        // The dictionary went away since the start: the kana of the text are still said.
        appendSayable(out, sentence);
        return out;
    }
    const mecab_node_t* node = MecabApi::get()->SparseToNode2(mecab, utf8.data(), utf8.size());
    for (; node; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE)
            continue;
        if (node->rlength > node->length)
            out += u' '; // the white space MeCab skipped before this word
        const std::u16string surface
            = Utf8Text::decodeReplacing(std::string_view(node->surface, node->length));
        const std::vector<std::string_view> parts
            = fields(node->feature ? std::string_view(node->feature) : std::string_view());
        if (parts.size() > kPronunciationField && parts[kPronunciationField] != "*")
            appendSayable(out, Utf8Text::decodeReplacing(parts[kPronunciationField]));
        else
            appendSayable(out, surface);
    }
    MecabApi::get()->Destroy(mecab);
    return out;
}
