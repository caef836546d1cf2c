// Stands in for the voice pack in the launcher's dialog test, the same on every system. It is
// started as the voice pack is, with the sounds' folder and --progress, and does what the
// variable TAPOMI_STAND_IN says:
//   made     checks its arguments (status 2 if wrong), then reports three sounds made
//   failed   reports one sound, then fails
//   slow     leaves a half-written sound named as the voice pack names it, reports it and
//            waits a minute, for the teacher to cancel
#include "common/CommandLine.h"
#include "common/Environment.h"
#include "data/PathText.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

int main(int argc, char** argv)
{
    const CommandLine commandLine(argc, argv);
    const std::vector<std::string>& arguments = commandLine.arguments();
    const std::string mode = Environment::get("TAPOMI_STAND_IN").value_or("");
    const std::filesystem::path folder
        = PathText::fromUtf8(arguments.size() > 1 ? arguments[1] : std::string());
    if (mode == "made") {
        if (arguments.size() != 3 || arguments[2] != "--progress"
            || !std::filesystem::is_directory(folder))
            return 2;
        std::puts("tapomi-voicepack: speaking");
        for (int i = 1; i <= 3; ++i)
            std::printf("progress %d/3\n", i);
        return 0;
    }
    if (mode == "failed") {
        std::puts("progress 1/3");
        return 1;
    }
    if (mode == "slow") {
        std::ofstream(folder / PathText::fromUtf8("い.wav.tmp" + std::to_string(getpid())));
        std::puts("progress 1/78");
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::minutes(1));
        return 0;
    }
    return 3;
}
