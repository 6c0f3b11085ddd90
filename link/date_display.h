#pragma once
// The date display of SystemDateEdit and DeviceDateEdit: a weekday
// abbreviation, then " dd.MM.yyyy  hh:mm:ss" ("Пн. 07.12.2026  14:05:09").

#include "link/protocol.h"

#include <QDateTime>
#include <QString>

#include <optional>

// "Пн." .. "Вс." for weekday 1 (Monday) .. 7 (Sunday); empty otherwise.
[[nodiscard]] QString weekday_abbreviation(int weekday);

// The computer's date and time with the abbreviation of its weekday.
[[nodiscard]] QString date_display(const QDateTime& moment);

// The device clock of a status reply (bytes 2..8: second, minute, hour,
// weekday, day, month, year - 2000), or nothing when a byte is out of its
// range. Bytes that pass the checks but form no real date (hour 24, 31
// April) are shown as the device reported them, field by field.
[[nodiscard]] std::optional<QString> device_clock_display(const zuzo::ReplyArray& status);
