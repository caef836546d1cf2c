#include "media/OpenJTalkProgram.h"

#include "media/ChildProcess.h"

#include <cstdlib>
#include <unistd.h>

std::string OpenJTalkProgram::defaultProgram()
{
    return "open_jtalk";
}

std::string OpenJTalkProgram::defaultDictionary()
{
    return "/var/lib/mecab/dic/open-jtalk/naist-jdic";
}

std::string OpenJTalkProgram::chosenVoice()
{
    const char* chosen = std::getenv("TAPOMI_HTSVOICE");
    return chosen ? chosen : "";
}

bool OpenJTalkProgram::find(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return ::access(program.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/usr/bin:/bin";
    while (!folders.empty()) {
        const std::size_t colon = folders.find(':');
        const std::string folder(folders.substr(0, colon));
        folders = colon == std::string_view::npos ? std::string_view {} : folders.substr(colon + 1);
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

std::string OpenJTalkProgram::fileArgument(const std::string& path)
{
    return path;
}

std::optional<std::string> OpenJTalkProgram::wave(std::vector<std::string> argv,
    std::string_view input, StopSignal& stop, std::chrono::milliseconds timeout)
{
    // The wave comes through the output pipe: no file is written at all.
    argv.insert(argv.end(), { "-ow", "/dev/stdout" });
    return ChildProcess::run(argv, input, &stop, timeout);
}
