#pragma once
// The files a companion command reads and writes, named in UTF-8 on every
// system, and their failures told in one line: "файл не прочитан: файла
// нет", "файл не записан: нет места на диске". The cause comes from the
// system's own error code (program/core/file_causes.h).

#include "program/core/file_store.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zuzo::cli {

// What a command reads, for the bound of its reading: a program file
// (kPtmFileLimit), a plan table or a program's JSON (kTextInputLimit).
enum class InputKind { Program, Table, Json };

// Tables and JSON hold a few kilobytes; a few megabytes are taken.
inline constexpr std::size_t kTextInputLimit = std::size_t{4} * 1024 * 1024;

// The whole content of a regular file within its kind's bound: a longer,
// endless or non-regular input (a device, a pipe) fails, unread.
[[nodiscard]] FileResult read_input(const std::string& path, std::vector<std::uint8_t>& out, InputKind kind);

// The first bytes of a file, enough to tell what it is (file_kinds.h).
[[nodiscard]] FileResult read_input_start(const std::string& path, std::vector<std::uint8_t>& out);

// Replaces the file (or creates it) through a temporary file in the same
// folder, only when it is a regular file or missing; on failure the old file
// stays and no temporary file is left.
[[nodiscard]] FileResult write_output(const std::string& path, std::span<const std::uint8_t> bytes);

// "файл не прочитан: CAUSE" and "файл не записан: CAUSE", for "PATH: ...".
[[nodiscard]] std::string read_problem(const FileResult& result, const std::string& path);
[[nodiscard]] std::string write_problem(const FileResult& result, const std::string& path);

} // namespace zuzo::cli
