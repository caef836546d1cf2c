#include "VoicePack.h"

#include "common/CommandLine.h"
#include "common/ProgramExit.h"
#include "data/PathText.h"
#include "media/SpeechEngines.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// tapomi-voicepack DIR [--overwrite] [--progress]: makes the drill's sound files in DIR. Returns
// the program's exit status.
int run(int programArgc, char** programArgv)
{
    CommandLine commandLine(programArgc, programArgv);
    const int argc = commandLine.argc();
    char** argv = commandLine.argv();
    std::string folder;
    bool overwrite = false;
    bool showProgress = false;
    bool understood = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--overwrite") == 0)
            overwrite = true;
        else if (std::strcmp(argv[i], "--progress") == 0)
            showProgress = true;
        else if (folder.empty() && argv[i][0] != '\0' && argv[i][0] != '-')
            folder = argv[i];
        else
            understood = false;
    }
    if (folder.empty() || !understood) {
        std::fprintf(stderr,
            "usage: tapomi-voicepack DIR [--overwrite] [--progress]\n"
            "Writes the kana sounds, ピンポン.wav and ブー.wav into DIR. Files already there are\n"
            "kept (a teacher's own recordings stay) unless --overwrite is given. --progress\n"
            "prints a line \"progress DONE/TOTAL\" after each file.\n");
        return 2;
    }

    const SpeechEngines::Places places;
    auto engines = SpeechEngines::available(places);
    SpeechEngine* engine = engines.empty() ? nullptr : engines.front().get();
    if (engine && std::strcmp(engine->name(), "Open JTalk") == 0)
        std::printf(
            "tapomi-voicepack: speaking with Open JTalk, voice %s\n", places.htsVoice.c_str());
    else if (engine)
        std::printf("tapomi-voicepack: speaking with %s\n", engine->name());
    else
        std::fprintf(stderr, "tapomi-voicepack: no speech engine; only the chime and buzzer\n");
    std::fflush(stdout);

    VoicePack::Progress progress;
    if (showProgress) {
        progress = [](int done, int total) {
            std::printf("progress %d/%d\n", done, total);
            std::fflush(stdout);
        };
    }
    const VoicePack::Outcome outcome
        = VoicePack::build(PathText::fromUtf8(folder), engine, overwrite, progress);
    std::printf("tapomi-voicepack: %d written, %d kept, %d failed in %s\n", outcome.written,
        outcome.kept, outcome.failed, folder.c_str());
    return outcome.failed == 0 ? 0 : 1;
}

} // namespace

int main(int programArgc, char** programArgv)
{
    return ProgramExit::after(run(programArgc, programArgv));
}
