#include "link/date_display.h"

#include <array>

namespace {

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

QString device_clock_display(const zuzo::DeviceClock& clock)
{
    return weekday_abbreviation(clock.weekday) +
           QStringLiteral(" %1.%2.%3  %4:%5:%6")
               .arg(two(clock.day), two(clock.month))
               .arg(clock.year, 4, 10, QLatin1Char('0'))
               .arg(two(clock.hour), two(clock.minute), two(clock.second));
}
