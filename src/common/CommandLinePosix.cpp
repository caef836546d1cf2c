#include "common/CommandLine.h"

std::vector<std::string> CommandLine::read(int argc, char** argv)
{
    std::vector<std::string> arguments;
    for (int i = 0; i < argc && argv != nullptr && argv[i] != nullptr; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}
