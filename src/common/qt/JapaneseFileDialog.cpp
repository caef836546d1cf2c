#include "common/qt/JapaneseFileDialog.h"

#include "common/qt/JapaneseFileColumns.h"
#include "common/qt/QuietFileIconProvider.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QSettings>
#include <QTreeView>

namespace {

QString settingsKey(const QString& name)
{
    return QStringLiteral("fileDialogs/") + name;
}

// The same folder, however it is written (a trailing slash, a link, "..").
bool sameFolder(const QString& a, const QString& b)
{
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

} // namespace

JapaneseFileDialog::JapaneseFileDialog(QWidget* parent, const QString& title, const QString& name,
    const QString& accept, const QString& fallbackFolder, AcceptMode mode)
    // The folder is given at once: a dialog made without one lists the working directory first.
    : QFileDialog(parent, title, StartFolder(RememberedFolder(name), fallbackFolder))
    , m_name(name)
    , m_icons(std::make_unique<QuietFileIconProvider>())
{
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontUseCustomDirectoryIcons);
    setIconProvider(m_icons.get());
    setProxyModel(new JapaneseFileColumns(this));
    setAcceptMode(mode);
    // The names take the room left by the other columns, which are as wide as their contents.
    if (auto* list = findChild<QTreeView*>()) {
        list->header()->setStretchLastSection(false);
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (parent != nullptr)
        resize(parent->size() * 3 / 4);
    setLabelText(QFileDialog::LookIn, QStringLiteral(u"場所："));
    setLabelText(QFileDialog::FileName, QStringLiteral(u"ファイル名："));
    setLabelText(QFileDialog::FileType, QStringLiteral(u"種類："));
    setLabelText(QFileDialog::Accept, accept);
    setLabelText(QFileDialog::Reject, QStringLiteral(u"やめる"));
}

JapaneseFileDialog::~JapaneseFileDialog() = default;

QString JapaneseFileDialog::StartFolder(const QString& remembered, const QString& fallback)
{
    for (const QString& folder : { remembered, fallback, QDir::homePath() }) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir()
            && !sameFolder(folder, QDir::currentPath()))
            return QDir::cleanPath(folder);
    }
    return QDir::homePath();
}

QString JapaneseFileDialog::RememberedFolder(const QString& name)
{
    return QSettings().value(settingsKey(name)).toString();
}

void JapaneseFileDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        QSettings settings;
        settings.setValue(settingsKey(m_name), directory().absolutePath());
    }
    QFileDialog::done(result);
}
