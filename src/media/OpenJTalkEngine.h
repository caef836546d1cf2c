#pragma once

#include "media/SpeechEngine.h"

#include <memory>
#include <string>
#include <vector>

// Speaks with Open JTalk and an HTS voice file: the open_jtalk program runs once per text as a
// child process, reads the text on its input and writes a wave file to its output.
class OpenJTalkEngine final : public SpeechEngine
{
public:
    static constexpr const char* kDictionary = "/var/lib/mecab/dic/open-jtalk/naist-jdic";

    // Null when the voice file, the dictionary or the program is missing.
    static std::unique_ptr<OpenJTalkEngine> create(const std::string& voiceFile,
        const std::string& program = "open_jtalk", const std::string& dictionary = kDictionary);
    // The voice to use: $TAPOMI_HTSVOICE when set, else a *.htsvoice from the first of the
    // folders that holds one (a "normal" or "neutral" one first), else nothing.
    static std::string findVoice(const std::vector<std::string>& folders = voiceFolders());
    // The voice installed with the program, then the system's voices.
    static std::vector<std::string> voiceFolders();

    const char* name() const override { return "Open JTalk"; }
    bool synthesize(std::u16string_view text, const AudioSink& sink, StopSignal& stop) override;

    // The sentences of a text, each with its closing mark; blank ones are left out.
    static std::vector<std::u16string> sentences(std::u16string_view text);
    // The voice's silence before and after a sentence, cut to a short pause.
    static SharedSamples trimmed(const AudioSamples& samples);

private:
    static constexpr const char* kHeadroomDb = "-6";

    SharedSamples speakOne(std::u16string_view text, StopSignal& stop);

    OpenJTalkEngine(std::string program, std::string dictionary, std::string voice);

    std::string m_program;
    std::string m_dictionary;
    std::string m_voice;
};
