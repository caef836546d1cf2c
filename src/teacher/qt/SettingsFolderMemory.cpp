#include "teacher/qt/SettingsFolderMemory.h"

#include "common/qt/QtText.h"

#include <QFile>
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("lastFolder");

} // namespace

std::filesystem::path SettingsFolderMemory::lastFolder() const
{
    const QString folder = QSettings().value(kKey).toString();
    return QtText::toPath(folder);
}

void SettingsFolderMemory::remember(const std::filesystem::path& folder)
{
    QSettings settings;
    settings.setValue(kKey, QtText::fromPath(folder));
    settings.sync();
}
