#include "teacher/DrillHandover.h"

#include "app/Environment.h"
#include "data/PathText.h"
#include "teacher/TeacherCommands.h"

#include <string>
#include <windows.h>

namespace {

// One argument as CommandLineToArgvW reads it back: quoted, with the backslashes before a quote
// (and before the closing quote) doubled.
std::wstring quoted(const std::wstring& argument)
{
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    out += L'"';
    return out;
}

} // namespace

int DrillHandover::Run(const DrillLaunch& launch, std::ostream& errors)
{
    for (const auto& [name, value] : launch.setVariables)
        Environment::set(name.c_str(), value);
    for (const std::string& name : launch.unsetVariables)
        Environment::unset(name.c_str());
    std::wstring commandLine
        = quoted(launch.program.native()) + L' ' + quoted(launch.folder.native());
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process {};
    if (!CreateProcessW(launch.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
            nullptr, launch.workingDirectory.c_str(), &startup, &process)) {
        errors << "tapomi-launcher: " << PathText::utf8(launch.program) << ": error "
               << GetLastError() << '\n';
        return TeacherCommands::kFailed;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = TeacherCommands::kFailed;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}
