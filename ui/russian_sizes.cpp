#include "ui/russian_sizes.h"

#include <QFileSystemModel>
#include <QLocale>

#include <array>

namespace {

constexpr int kSizeColumn = 1;
constexpr std::array<const char*, 4> kUnits = {"КБ", "МБ", "ГБ", "ТБ"};

const char* bytes_noun(qint64 count)
{
    const qint64 last_two = count % 100;
    const qint64 last = count % 10;
    if (last_two >= 11 && last_two <= 14)
        return "байт";
    if (last == 1)
        return "байт";
    if (last >= 2 && last <= 4)
        return "байта";
    return "байт";
}

} // namespace

QString russian_data_size(qint64 bytes)
{
    if (bytes < 0)
        bytes = 0;
    if (bytes < 1024)
        return QStringLiteral("%1 %2").arg(bytes).arg(QString::fromUtf8(bytes_noun(bytes)));
    QLocale russian(QLocale::Russian, QLocale::Russia);
    russian.setNumberOptions(QLocale::OmitGroupSeparator);
    double value = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    // 1023,96 КБ would read "1024,0 КБ": such a size is told in the next unit.
    while (unit + 1 < kUnits.size() && value >= 1023.95) {
        value /= 1024.0;
        ++unit;
    }
    return russian.toString(value, 'f', 1) + QLatin1Char(' ') + QString::fromUtf8(kUnits[unit]);
}

QVariant RussianSizes::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DisplayRole && index.column() == kSizeColumn) {
        if (const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel())) {
            const QModelIndex source = mapToSource(index);
            if (!files->isDir(source))
                return russian_data_size(files->size(source));
        }
    }
    return QIdentityProxyModel::data(index, role);
}
