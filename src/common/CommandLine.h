#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The program's arguments as UTF-8. On Linux they are the bytes the program was given; on
// Windows the narrow argv that main() receives is in the ANSI code page, which loses every name
// it cannot hold (a child's name, a folder on a stick), so they are read again from the wide
// command line.
class CommandLine
{
public:
    CommandLine(int argc, char** argv);
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    int& argc() { return m_argc; }
    // Null-terminated, like main()'s; the strings live as long as this object.
    char** argv() { return m_pointers.data(); }
    const std::vector<std::string>& arguments() const { return m_arguments; }

    // The command line for CreateProcessW that the child's C runtime (CommandLineToArgvW's
    // rules) reads back into exactly this program name and these arguments. Empty when the name
    // holds a quote: the name is read up to the next quote with no escapes, and no file name has
    // one.
    static std::wstring windowsLine(std::wstring_view program,
        std::span<const std::wstring> arguments);

private:
    // One file per system: the bytes on Linux, the wide command line on Windows.
    static std::vector<std::string> read(int argc, char** argv);

    std::vector<std::string> m_arguments;
    std::vector<char*> m_pointers;
    int m_argc = 0;
};
