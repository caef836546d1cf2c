#pragma once

#include "teacher/TeacherTool.h"

// "フォルダーを調べる" until the fuller check of a card folder is attached in its place: the
// checks the drill's folder choice makes, and how many cards the folder holds.
class FolderCheckTool final : public TeacherTool
{
public:
    std::optional<std::u16string> run(const std::filesystem::path& folder) override;
};
