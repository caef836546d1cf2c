#include "common/qt/JapaneseFileColumns.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QLocale>

namespace {

// The columns of QFileSystemModel.
enum Column
{
    kName,
    kSize,
    kType,
    kModified,
};

} // namespace

JapaneseFileColumns::JapaneseFileColumns(QObject* parent)
    : QIdentityProxyModel(parent)
{ }

QVariant JapaneseFileColumns::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QIdentityProxyModel::headerData(section, orientation, role);
    switch (section) {
    case kName:
        return QStringLiteral(u"名前");
    case kSize:
        return QStringLiteral(u"大きさ");
    case kType:
        return QStringLiteral(u"種類");
    case kModified:
        return QStringLiteral(u"更新日時");
    default:
        return QIdentityProxyModel::headerData(section, orientation, role);
    }
}

QVariant JapaneseFileColumns::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr || !index.isValid()
        || (index.column() != kSize && index.column() != kModified))
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    if (index.column() == kSize) {
        if (files->isDir(source))
            return QString();
        return japanese.formattedDataSize(
            files->size(source), 1, QLocale::DataSizeTraditionalFormat);
    }
    const QDateTime modified = files->lastModified(source);
    return modified.isValid() ? japanese.toString(modified, QStringLiteral("yyyy/MM/dd HH:mm"))
                              : QString();
}
