#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class StopSignal;

// What running the open_jtalk program takes on each system: where it and its dictionary are by
// default, finding it, naming files in a form its narrow fopen opens, and getting back the wave
// it writes. Every path is UTF-8.
class OpenJTalkProgram
{
public:
    static std::string defaultProgram();
    static std::string defaultDictionary();
    // The voice file a teacher chose with $TAPOMI_HTSVOICE; empty when the variable is not set.
    static std::string chosenVoice();
    // Whether the program can be started: a name with a folder in it is checked as it is, a bare
    // name is looked for along PATH.
    static bool find(const std::string& program);
    // The path as the program's fopen can open it.
    static std::string fileArgument(const std::string& path);
    // Runs argv with its output option added and returns the wave the program wrote; nothing when
    // it failed, was stopped or ran past its time.
    static std::optional<std::string> wave(std::vector<std::string> argv, std::string_view input,
        StopSignal& stop, std::chrono::milliseconds timeout);
};
