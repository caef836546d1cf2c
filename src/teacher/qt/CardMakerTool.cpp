#include "teacher/qt/CardMakerTool.h"

#include "cards/qt/CardMakerDialog.h"
#include "common/Utf8Text.h"
#include "data/PathText.h"

#include <string>

CardMakerTool::CardMakerTool(QWidget* parent, std::function<SoundPlayer*()> sound)
    : m_parent(parent)
    , m_sound(std::move(sound))
{ }

std::optional<std::u16string> CardMakerTool::run(const std::filesystem::path& folder)
{
    CardMakerDialog dialog(folder, m_parent, m_sound ? m_sound() : nullptr);
    QStringList made;
    QObject::connect(&dialog, &CardMakerDialog::cardSaved, &dialog,
        [&made](const QString& path) { made << path; });
    dialog.exec();
    if (made.isEmpty())
        return std::nullopt;
    return u"カードを " + Utf8Text::decodeReplacing(std::to_string(made.size()))
        + u" 枚つくりました。\n" + Utf8Text::decodeReplacing(PathText::utf8(folder));
}
