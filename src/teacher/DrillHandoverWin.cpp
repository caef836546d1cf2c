#include "teacher/DrillHandover.h"

#include "common/CommandLine.h"
#include "common/Environment.h"
#include "data/PathText.h"
#include "teacher/TeacherCommands.h"

#include <string>
#include <windows.h>

int DrillHandover::Run(const DrillLaunch& launch, std::ostream& errors)
{
    for (const auto& [name, value] : launch.setVariables)
        Environment::set(name.c_str(), value);
    for (const std::string& name : launch.unsetVariables)
        Environment::unset(name.c_str());
    const std::wstring folder = launch.folder.native();
    std::wstring commandLine
        = CommandLine::windowsLine(launch.program.native(), std::span(&folder, 1));
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
