#pragma once

#include "teacher/TeacherTool.h"

#include <functional>

class QWidget;
class SoundPlayer;

// "カードをつくる": opens the card maker on a card folder. The kana sounds it plays come from
// the program's sound player, made only when the card maker is first opened.
class CardMakerTool final : public TeacherTool
{
public:
    CardMakerTool(QWidget* parent, std::function<SoundPlayer*()> sound);

    std::optional<std::u16string> run(const std::filesystem::path& folder) override;

private:
    QWidget* m_parent;
    std::function<SoundPlayer*()> m_sound;
};
