#pragma once
// The weekly plan as a table that a spreadsheet opens: one header row, then
// one row per interval with the columns weekday, interval (1..12), switched
// on (0/1), time (HH:MM) and volume (percent).

#include "program/core/device_program.h"

#include <string>
#include <string_view>

namespace zuzo {

// UTF-8 with a byte order mark, semicolons, CR LF line ends; 7 x 12 rows,
// Monday first. Stored values are written as they are, in range or not.
[[nodiscard]] std::string write_plan_csv(const DeviceProgram& program);

enum class PlanCsvStatus { Ok, Malformed, NoRows, NotATable };

struct PlanCsvResult {
    PlanCsvStatus status = PlanCsvStatus::Ok;
    int line = 0;      // the line (from 1) of the fault when Malformed
    std::string error; // what is wrong, in Russian (UTF-8), on one line
};

// Reads a table into the four plan tables of out (days 1..7, intervals
// 1..12); nothing else in out changes, and unless Ok nothing at all.
// Accepted: UTF-8 with or without the byte order mark when the whole file is
// UTF-8, else Windows-1251 (a table that begins in UTF-8, with the mark or
// Cyrillic letters, and then leaves it is Malformed at the line where it
// does); semicolons or commas (whichever the first row
// uses); fields in double quotes; weekday names full or short ("Пн"), any
// letter case; rows in any order; blank rows; times as "H:MM", "HH:MM",
// "HH:MM:00" or 12-hour "H:MM AM" / "H:MM:00 PM". The first row is a header
// when it is the export's (any letter case) or has five cells, no weekday in
// the first and neither time nor number in the time and volume cells; any
// other first row is plan line 1.
// Intervals without a row are off at 00:00 with volume 0.
// Refused (Malformed, naming the line and showing at most 40 characters of
// the cell): an unknown weekday, an interval outside 1..12, switched on
// other than 0 or 1, a time outside 00:00..23:59 or with seconds, a volume
// that is not a whole number or does not fit the file's signed byte
// (-128..127), a day and interval given twice, a row without five columns.
// A table without a single data row is NoRows. Zero bytes (UTF-16 without
// a byte order mark, a spreadsheet's own file) or columns separated by tabs
// are NotATable, each with its own message.
[[nodiscard]] PlanCsvResult read_plan_csv(std::string_view bytes, DeviceProgram& out);

// Whether the bytes are a plan table: they read as one, or their first row
// that is not blank is the export's header (any letter case, either
// separator), as in a table whose rows are being edited.
[[nodiscard]] bool is_plan_table(std::string_view bytes);

} // namespace zuzo
