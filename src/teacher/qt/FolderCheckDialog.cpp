#include "teacher/qt/FolderCheckDialog.h"

#include "cards/FolderCheck.h"
#include "cards/qt/FolderCheckPanel.h"
#include "common/Utf8Text.h"
#include "data/DataFileError.h"
#include "data/PathText.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <string>

namespace fs = std::filesystem;

FolderCheckDialog::FolderCheckDialog(QWidget* parent, fs::path praiseFile)
    : m_parent(parent)
    , m_praiseFile(std::move(praiseFile))
{ }

std::optional<std::u16string> FolderCheckDialog::run(const fs::path& folder)
{
    const std::u16string shown = Utf8Text::decodeReplacing(PathText::utf8(folder));
    std::size_t found = 0;
    try {
        found = FolderCheck(folder, m_praiseFile).Run().size();
    } catch (const DataFileError&) {
        return u"このフォルダーは調べられません（ないか、読めません）。\n" + shown;
    }
    if (found == 0)
        return u"このフォルダーの絵は、みんな子どもが答えられるカードです。\n" + shown;

    // The panel checks again after each action, so what the teacher mends leaves the list.
    QDialog dialog(m_parent);
    dialog.setWindowTitle(QStringLiteral(u"フォルダーを調べる"));
    auto* panel = new FolderCheckPanel;
    panel->setFolder(folder, m_praiseFile);
    auto* scroll = new QScrollArea;
    scroll->setWidget(panel);
    scroll->setWidgetResizable(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral(u"とじる"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(scroll, 1);
    layout->addWidget(buttons);
    if (m_parent)
        dialog.resize(m_parent->size() * 8 / 10);
    dialog.exec();

    const std::size_t left = panel->findings().size();
    if (left == 0)
        return u"このフォルダーの絵は、みんな子どもが答えられるカードになりました。\n" + shown;
    return u"このフォルダーには、先生に見てほしいところがまだ "
        + Utf8Text::decodeReplacing(std::to_string(left)) + u" 件あります。\n" + shown;
}
