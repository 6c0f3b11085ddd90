#pragma once
// Why a file operation failed, in Russian, from the system's own error code
// and the step it came from (file_store.h): one table for the tool, the
// companion and its journal, on every system.

#include "program/core/file_store.h"

#include <filesystem>
#include <string>

namespace zuzo {

// The cause on one line, without the file's name: "файла нет", "нет места
// на диске", "это папка, а не файл", "нет прав на запись в папку «F»". path
// is the file that was read or written; its folders are looked at (never
// written) to tell a missing folder from a missing file.
[[nodiscard]] std::string file_cause(const FileResult& result, const std::filesystem::path& path);

} // namespace zuzo
