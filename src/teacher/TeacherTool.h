#pragma once

#include <filesystem>
#include <optional>
#include <string>

// A tool the teacher's window offers on a card folder beside the drill (looking the folder over,
// making cards). The program attaches them; a button without a tool stays disabled.
class TeacherTool
{
public:
    virtual ~TeacherTool() = default;

    // Works on the folder, asking the teacher what it needs to; what it has to say goes into
    // the window's message area.
    virtual std::optional<std::u16string> run(const std::filesystem::path& folder) = 0;
};
