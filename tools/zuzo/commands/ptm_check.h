#pragma once
// The faults of a program in the tool's own words, one line each: the text of
// the warning's message box on one line, after the lamp, or the weekday and
// intervals, it concerns. "zuzo ptm check" and "zuzo ptm plan import" print
// them.
//
//   Модуль, красный: Яркость модуля, для вечернего времени меньше ...
//   Пороги освещенности: Задано нулевое значение
//   Пятница, интервал 3: Уровень громкости вне диапазона 0..100%
//   Вторник, 08:00, интервалы 1 и 2: Задано несколько, одинаковых, ...

#include "program/core/device_program.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace zuzo::cli {

// Every optics value that would not reach the device exactly, as
// "field: problem"; returns how many lines were printed.
int print_range_faults(const DeviceProgram& program, std::ostream& out);

// Thresholds the device takes but the tool's editor would not let a user
// type, as warnings; returns how many lines were printed.
int print_range_warnings(const DeviceProgram& program, std::ostream& out);

// Every broken optics rule; returns how many lines were printed.
int print_optics_faults(const DeviceProgram& program, std::ostream& out);

// Every weekday whose plan fails the tool's check: its intervals with a volume
// outside 0..100, then each group of intervals at one time; returns how many
// lines were printed.
int print_plan_faults(const DeviceProgram& program, std::ostream& out);

// A message box text on one line: each line break becomes one blank.
[[nodiscard]] std::string one_line(std::string_view text);

} // namespace zuzo::cli
