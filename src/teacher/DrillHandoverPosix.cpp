#include "teacher/DrillHandover.h"

#include "common/Environment.h"
#include "data/PathText.h"
#include "teacher/TeacherCommands.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

int DrillHandover::Run(const DrillLaunch& launch, std::ostream& errors)
{
    const auto failed = [&](const std::filesystem::path& path) {
        errors << "tapomi-launcher: " << PathText::utf8(path) << ": " << std::strerror(errno)
               << '\n';
        return TeacherCommands::kFailed;
    };
    if (::chdir(launch.workingDirectory.c_str()) != 0)
        return failed(launch.workingDirectory);
    for (const auto& [name, value] : launch.setVariables)
        Environment::set(name.c_str(), value);
    for (const std::string& name : launch.unsetVariables)
        Environment::unset(name.c_str());
    std::string program = launch.program.native();
    std::string folder = launch.folder.native();
    char* const arguments[] = { program.data(), folder.data(), nullptr };
    ::execv(program.c_str(), arguments);
    return failed(launch.program);
}
