#include "common/CommandLine.h"

CommandLine::CommandLine(int argc, char** argv)
    : m_arguments(read(argc, argv))
{
    for (std::string& argument : m_arguments)
        m_pointers.push_back(argument.data());
    m_pointers.push_back(nullptr);
    m_argc = static_cast<int>(m_arguments.size());
}

namespace {

// An argument is quoted when it holds blanks or quotes or is empty. Inside the quotes a quote is
// escaped with a backslash, and the backslashes before a quote or before the closing quote are
// doubled, since only there are they special.
void appendArgument(std::wstring& line, std::wstring_view argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
        line += argument;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

} // namespace

std::wstring CommandLine::windowsLine(std::wstring_view program,
    std::span<const std::wstring> arguments)
{
    if (program.empty() || program.find(L'"') != std::wstring_view::npos)
        return {};
    std::wstring line = L"\"";
    line += program;
    line += L'"';
    for (const std::wstring& argument : arguments) {
        line += L' ';
        appendArgument(line, argument);
    }
    return line;
}
