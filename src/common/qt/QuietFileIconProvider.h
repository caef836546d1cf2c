#pragma once

#include <QFileIconProvider>

// The icons and the type column of the file dialogs, judged by a file's name alone. Qt's own
// provider reads the first bytes of every file whose ending it does not know, so a dialog that
// merely lists a folder opens its files: opening and closing a database's file drops the locks
// its own program holds on it. The types are in Japanese: フォルダー, JPEG 画像, ファイル.
class QuietFileIconProvider final : public QFileIconProvider
{
public:
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};
