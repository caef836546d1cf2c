#pragma once

#include "teacher/TeacherTool.h"

class QWidget;

// "フォルダーを調べる": looks a card folder over as the drill will read it and, when something
// needs the teacher, shows each finding with the action that mends it. The praise file of the
// working directory is looked over with it.
class FolderCheckDialog final : public TeacherTool
{
public:
    FolderCheckDialog(QWidget* parent, std::filesystem::path praiseFile);

    std::optional<std::u16string> run(const std::filesystem::path& folder) override;

private:
    QWidget* m_parent;
    std::filesystem::path m_praiseFile;
};
