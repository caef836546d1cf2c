#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What tapomi-launcher is asked to do by its command line. Desktop shortcuts per child and
// scripts use the options; without any the teacher's window opens.
class LauncherCommand
{
public:
    enum class Action
    {
        TeacherWindow,
        Child, // straight into the drill for a child
        AddChild,
        ExportCsv,
        ExportPdf,
        Help,
        Invalid, // problem() says why
    };

    // The arguments after the program's name, as the bytes the system gave them (in UTF-8 on
    // Windows).
    static LauncherCommand Parse(const std::vector<std::string>& arguments);
    // The text --help prints, in Japanese with the options as they are typed, and where the
    // record is.
    static std::u16string HelpText(const std::filesystem::path& recordFile);

    Action action() const { return m_action; }
    const std::u16string& childName() const { return m_childName; }
    // The FOLDER of --child (empty when left out) or the FILE of an export, as given.
    const std::filesystem::path& path() const { return m_path; }
    const std::u16string& problem() const { return m_problem; }

private:
    Action m_action = Action::TeacherWindow;
    std::u16string m_childName;
    std::filesystem::path m_path;
    std::u16string m_problem;
};
