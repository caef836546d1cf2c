#include "app/launcher/qt/SettingsFolderMemory.h"

#include <QFile>
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("lastFolder");

} // namespace

std::filesystem::path SettingsFolderMemory::lastFolder() const
{
    const QString folder = QSettings().value(kKey).toString();
    return std::filesystem::path(QFile::encodeName(folder).toStdString());
}

void SettingsFolderMemory::remember(const std::filesystem::path& folder)
{
    QSettings settings;
    settings.setValue(kKey, QFile::decodeName(QByteArray::fromStdString(folder.native())));
    settings.sync();
}
