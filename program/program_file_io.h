#pragma once
// Program files on disk: the whole content in, or written in one piece.

#include "program/core/device_program.h"

#include <QString>

enum class ProgramLoad { Loaded, CannotOpen, BadHeader };
enum class ProgramStore { Stored, Failed };

// Reads the file at path into program; program is untouched unless Loaded.
// A missing file, a directory or a read error give CannotOpen, and cause
// (when given) says why in Russian; nothing is created.
[[nodiscard]] ProgramLoad load_program_file(const QString& path, zuzo::DeviceProgram& program,
                                            QString* cause = nullptr);

// Writes the program to path through a temporary file in the same folder that
// replaces the target only when complete: on any failed create, write, flush
// or close the old file stays as it was and no temporary file is left, and
// cause (when given) says why. Only a regular file is replaced.
[[nodiscard]] ProgramStore store_program_file(const QString& path, const zuzo::DeviceProgram& program,
                                              QString* cause = nullptr);
