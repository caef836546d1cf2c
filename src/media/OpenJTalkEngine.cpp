#include "media/OpenJTalkEngine.h"

#include "common/ProgramFiles.h"
#include "common/Utf8Text.h"
#include "media/SampleLevel.h"
#include "media/StopSignal.h"
#include "media/WaveDecoder.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// Open JTalk needs well under a second for a sentence; a child still busy after this is stuck.
constexpr std::chrono::seconds kTimeLimit { 20 };
// Texts longer than this are no drill sentence; the rest would only keep the child busy.
constexpr std::size_t kMaxTextBytes = 4096;

// Paths are UTF-8 strings outside and the system's own form inside: on Linux the same bytes,
// on Windows UTF-16 rather than the ANSI code page that a plain string would be taken in.
fs::path pathOf(const std::string& text)
{
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string textOf(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

std::unique_ptr<OpenJTalkEngine> OpenJTalkEngine::create(
    const std::string& voiceFile, const std::string& program, const std::string& dictionary)
{
    std::error_code error;
    if (voiceFile.empty() || !fs::is_regular_file(pathOf(voiceFile), error)
        || !fs::is_directory(pathOf(dictionary), error) || !OpenJTalkProgram::find(program))
        return nullptr;
    return std::unique_ptr<OpenJTalkEngine>(new OpenJTalkEngine(program,
        OpenJTalkProgram::fileArgument(dictionary), OpenJTalkProgram::fileArgument(voiceFile)));
}

std::string OpenJTalkEngine::findVoice(const std::vector<std::string>& folders)
{
    if (std::string chosen = OpenJTalkProgram::chosenVoice(); !chosen.empty())
        return chosen;
    const auto plain = [](const fs::path& p) {
        const std::string name = textOf(p.filename());
        return name.find("normal") != std::string::npos
            || name.find("neutral") != std::string::npos;
    };
    // The folders are in order of preference: a voice further down is taken only when no
    // earlier folder holds any.
    for (const std::string& folder : folders) {
        std::vector<fs::path> voices;
        std::error_code error;
        fs::recursive_directory_iterator it(
            pathOf(folder), fs::directory_options::skip_permission_denied, error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            if (it->path().extension() == ".htsvoice" && it->is_regular_file(error))
                voices.push_back(it->path());
        }
        if (voices.empty())
            continue;
        std::sort(voices.begin(), voices.end(), [&](const fs::path& a, const fs::path& b) {
            return plain(a) != plain(b) ? plain(a) : a < b;
        });
        return textOf(voices.front());
    }
    return {};
}

std::vector<std::string> OpenJTalkEngine::voiceFolders()
{
    std::vector<std::string> folders;
    if (const fs::path data = ProgramFiles::dataFolder(); !data.empty())
        folders.push_back(textOf(data / "voice"));
    folders.insert(folders.end(), { "/usr/share/hts-voice", "/usr/local/share/hts-voice" });
    return folders;
}

OpenJTalkEngine::OpenJTalkEngine(std::string program, std::string dictionary, std::string voice)
    : m_program(std::move(program))
    , m_dictionary(std::move(dictionary))
    , m_voice(std::move(voice))
{ }

bool OpenJTalkEngine::synthesize(std::u16string_view text, const AudioSink& sink, StopSignal& stop)
{
    // Open JTalk gives nothing until a whole text is made, so a text of several sentences is
    // made sentence by sentence: the first is heard while the next ones are being made.
    bool any = false;
    for (const std::u16string& sentence : sentences(text)) {
        if (stop.raised())
            return false;
        SharedSamples samples = speakOne(sentence, stop);
        if (!samples)
            return false;
        any = true;
        sink(std::move(samples));
    }
    return any;
}

std::vector<std::u16string> OpenJTalkEngine::sentences(std::u16string_view text)
{
    std::vector<std::u16string> out;
    std::u16string current;
    const auto finish = [&] {
        if (current.find_first_not_of(u" \t\r\n\u3000、。") != std::u16string::npos)
            out.push_back(current);
        current.clear();
    };
    for (char16_t c : text) {
        current += c;
        if (c == u'。' || c == u'！' || c == u'？' || c == u'!' || c == u'?' || c == u'\n')
            finish();
    }
    finish();
    return out;
}

SharedSamples OpenJTalkEngine::speakOne(std::u16string_view text, StopSignal& stop)
{
    // The program reads one sentence per line: the text is made one line.
    std::string line = Utf8Text::encode(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    if (line.size() > kMaxTextBytes) {
        std::size_t cut = kMaxTextBytes;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut; // never in the middle of a character
        line.resize(cut);
    }
    line += '\n';

    const std::optional<std::string> wave = OpenJTalkProgram::wave(
        { m_program, "-x", m_dictionary, "-m", m_voice, "-g", kHeadroomDb }, line, stop,
        kTimeLimit);
    if (!wave)
        return nullptr;
    SharedSamples samples = WaveDecoder::decode(wave->data(), wave->size());
    if (!samples || samples->empty())
        return nullptr;
    // At its own level the voice clips some single kana (に, じ, み) badly: it is asked for
    // 6 dB less and brought back here, as far as the loudest sample allows.
    constexpr double kRestore = 1.9953; // +6 dB
    return trimmed(SampleLevel::scaled(*samples, kRestore));
}

SharedSamples OpenJTalkEngine::trimmed(const AudioSamples& samples)
{
    // The voice begins and ends each text with up to half a second of silence: a little is kept,
    // as the pause between two sentences, and the rest would only delay the voice.
    constexpr int kQuiet = 200;
    constexpr std::size_t kLead = AudioFormat::kSampleRate / 50; // 20 ms
    constexpr std::size_t kTail = AudioFormat::kSampleRate / 8; // 125 ms
    const auto loud = [](std::int16_t s) { return s > kQuiet || s < -kQuiet; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    if (first == samples.end())
        return std::make_shared<const AudioSamples>(samples);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    const auto begin = first - std::min<std::ptrdiff_t>(kLead, first - samples.begin());
    const auto end = last + std::min<std::ptrdiff_t>(kTail, samples.end() - last);
    return std::make_shared<const AudioSamples>(begin, end);
}
