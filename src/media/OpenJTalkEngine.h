#pragma once

#include "media/OpenJTalkProgram.h"
#include "media/SpeechEngine.h"

#include <memory>
#include <string>
#include <vector>

// Speaks with Open JTalk and an HTS voice file: the open_jtalk program runs once per text as a
// child process, reads the text on its input and writes a wave file to its output.
class OpenJTalkEngine final : public SpeechEngine
{
public:
    // Null when the voice file, the dictionary or the program is missing. Paths are UTF-8.
    static std::unique_ptr<OpenJTalkEngine> create(const std::string& voiceFile,
        const std::string& program = OpenJTalkProgram::defaultProgram(),
        const std::string& dictionary = OpenJTalkProgram::defaultDictionary());
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
