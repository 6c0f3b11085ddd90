#pragma once
// The date display of SystemDateEdit and DeviceDateEdit: a weekday
// abbreviation, then " dd.MM.yyyy  hh:mm:ss" ("Пн. 07.12.2026  14:05:09").

#include "link/core/status_reply.h"

#include <QDateTime>
#include <QString>

// "Пн." .. "Вс." for weekday 1 (Monday) .. 7 (Sunday); empty otherwise.
[[nodiscard]] QString weekday_abbreviation(int weekday);

// The computer's date and time with the abbreviation of its weekday.
[[nodiscard]] QString date_display(const QDateTime& moment);

// The device clock of a status reply, field by field as the device reported
// it, also when the fields form no real date (hour 24, 31 April).
[[nodiscard]] QString device_clock_display(const zuzo::DeviceClock& clock);
