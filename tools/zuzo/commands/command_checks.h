#pragma once
// What every command of the companion checks of its call and of its files
// before it acts, and how it tells a refusal: one line on err, naming the
// file or the command.

#include "program/core/device_program.h"
#include "tools/zuzo/commands/file_kinds.h"
#include "tools/zuzo/core/exit_codes.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace zuzo::cli {

// The message of the tool for a first line that is not that of a program
// file; a file that cannot be read or written is told by its cause
// (read_problem, write_problem).
inline constexpr const char* kBadFormat = "Формат файла не поддерживается";

// "path: message" on err, ending in exactly one line break.
void report_file_problem(std::ostream& err, const std::string& path, std::string_view message);

// No command writes over its own input: when output names the same file as
// input (by any path), says so on err and returns true; nothing is written.
[[nodiscard]] bool writes_over_input(std::ostream& err, const std::string& input, const std::string& output);

// A file of kind may not be written at path (file_kinds.h): says why on err
// and returns true; nothing is written.
[[nodiscard]] bool refuses_output(std::ostream& err, const std::string& path, FileKind kind);

// What a command needs of a program file: the program as the tool reads it
// (what the file lacks reads as 0), or, for a command that judges or sends
// the optics, every byte of them.
enum class ProgramNeeds { AsTheToolReads, WholeOptics };

// Reads and decodes a program file; reports to err and returns false on failure.
[[nodiscard]] bool load_program_file(const std::string& path, DeviceProgram& program, std::ostream& err,
                                     ProgramNeeds needs = ProgramNeeds::AsTheToolReads);

// A call that cannot be run, told on one line, "zuzo WHERE: PROBLEM; см.
// zuzo WHERE --help" (usage lives in --help); returns EXIT_ERROR. where is
// the group and command ("ptm make", "device"), empty for the program itself.
int refuse_call(std::ostream& err, const std::string& where, const std::string& problem);

} // namespace zuzo::cli
