#include "common/qt/QuietFileIconProvider.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>

#include <algorithm>

namespace {

// By the name's ending only: the file is never opened.
QMimeType mimeByName(const QFileInfo& info)
{
    return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
}

} // namespace

QIcon QuietFileIconProvider::icon(IconType type) const
{
    return QFileIconProvider::icon(type);
}

QIcon QuietFileIconProvider::icon(const QFileInfo& info) const
{
    if (info.isRoot())
        return QFileIconProvider::icon(Drive);
    if (info.isDir())
        return QFileIconProvider::icon(Folder);
    const QMimeType mime = mimeByName(info);
    const QIcon fallback = QFileIconProvider::icon(File);
    if (mime.isDefault())
        return fallback;
    QIcon themed = QIcon::fromTheme(mime.iconName());
    if (themed.isNull())
        themed = QIcon::fromTheme(mime.genericIconName(), fallback);
    return themed;
}

QString QuietFileIconProvider::type(const QFileInfo& info) const
{
    if (info.isRoot())
        return QStringLiteral(u"ドライブ");
    if (info.isDir())
        return QStringLiteral(u"フォルダー");
    // The type's name in Japanese where the system has it (JPEG 画像), else the file's ending.
    const QMimeType mime = mimeByName(info);
    const QString comment = mime.comment().trimmed();
    const bool japanese = std::any_of(
        comment.cbegin(), comment.cend(), [](QChar c) { return c.unicode() >= 0x3000; });
    if (!mime.isDefault() && japanese)
        return comment;
    const QString ending = info.suffix().toUpper();
    return ending.isEmpty() ? QStringLiteral(u"ファイル") : ending + QStringLiteral(u" ファイル");
}
