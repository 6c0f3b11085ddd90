#include "link/date_display.h"

#include <array>

namespace {

bool within(std::int32_t value, std::int32_t low, std::int32_t high)
{
    return value >= low && value <= high;
}

QString two(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString weekday_abbreviation(int weekday)
{
    static const std::array<QString, 7> names = {
        QStringLiteral("Пн."), QStringLiteral("Вт."), QStringLiteral("Ср."), QStringLiteral("Чт."),
        QStringLiteral("Пт."), QStringLiteral("Сб."), QStringLiteral("Вс.")};
    if (weekday < 1 || weekday > 7)
        return {};
    return names[static_cast<std::size_t>(weekday - 1)];
}

QString date_display(const QDateTime& moment)
{
    return weekday_abbreviation(moment.date().dayOfWeek()) +
           moment.toString(QStringLiteral(" dd.MM.yyyy  hh:mm:ss"));
}

std::optional<QString> device_clock_display(const zuzo::ReplyArray& status)
{
    const std::int32_t second = status[2];
    const std::int32_t minute = status[3];
    const std::int32_t hour = status[4];
    const std::int32_t weekday = status[5];
    const std::int32_t day = status[6];
    const std::int32_t month = status[7];
    const std::int32_t year = 2000 + status[8];
    if (!within(second, 0, 59) || !within(minute, 0, 59) || !within(hour, 0, 24) || !within(weekday, 1, 7) ||
        !within(day, 1, 31) || !within(month, 1, 12))
        return std::nullopt;
    return weekday_abbreviation(weekday) + QStringLiteral(" %1.%2.%3  %4:%5:%6")
                                               .arg(two(day), two(month))
                                               .arg(year, 4, 10, QLatin1Char('0'))
                                               .arg(two(hour), two(minute), two(second));
}
