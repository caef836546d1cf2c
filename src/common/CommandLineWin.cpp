#include "common/CommandLine.h"

#include <windows.h>

#include <shellapi.h>

namespace {

std::string utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

} // namespace

std::vector<std::string> CommandLine::read(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide) {
        for (int i = 0; i < count; ++i)
            arguments.push_back(utf8(wide[i]));
        LocalFree(wide);
        return arguments;
    }
    // Without the wide line the ANSI one is still better than nothing.
    for (int i = 0; i < argc && argv != nullptr && argv[i] != nullptr; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}
