#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class StopSignal;

// Runs a helper program directly, with its arguments as a list and never through a shell, feeds
// it a text on its standard input and collects its standard output. The child is killed when the
// stop signal is raised, when it runs past its time or when its output grows past a limit; a
// child that fails in any way gives nothing, and the caller is never left waiting on it.
class ChildProcess
{
public:
    static constexpr std::size_t kMaxOutputBytes = 32u * 1024u * 1024u;

    static std::optional<std::string> run(const std::vector<std::string>& argv,
        std::string_view input, const StopSignal* stop, std::chrono::milliseconds timeout);
};
