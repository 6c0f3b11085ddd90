#pragma once
// File sizes in the file dialog as a Russian reader writes them, whatever
// the user's locale: "463 байта", "1,5 КБ", "2,4 МБ".

#include <QIdentityProxyModel>
#include <QString>
#include <QtGlobal>

// Below 1024 bytes the count with the noun in its Russian plural form
// ("1 байт", "3 байта", "11 байт"); from there on the size in КБ, МБ, ГБ or
// ТБ (powers of 1024) with one decimal after a comma.
[[nodiscard]] QString russian_data_size(qint64 bytes);

// Stands between a file dialog and its file system model and shows the size
// column of files in russian_data_size; everything else passes unchanged.
class RussianSizes : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
};
