#pragma once

#include <QIdentityProxyModel>

// The file dialogs' list with its column titles, sizes and dates in Japanese. Qt writes the
// sizes and dates in the desktop's own language and takes the titles from its translation
// files, which a machine may lack; this model gives its own for every desktop.
class JapaneseFileColumns final : public QIdentityProxyModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JapaneseFileColumns)

public:
    explicit JapaneseFileColumns(QObject* parent = nullptr);

    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
