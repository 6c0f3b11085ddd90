#pragma once
// Whole files in and out for the companion program's file commands. Paths
// are UTF-8 on every system.

#include <cstdint>
#include <string>
#include <vector>

namespace zuzo::cli {

enum class FileStatus { Done, Failed };

// The whole content of a regular file; a missing file or a directory fails.
[[nodiscard]] FileStatus read_whole_file(const std::string& path, std::vector<std::uint8_t>& out);

// Writes through a temporary file in the same folder that replaces path only
// when complete; on failure the old file stays and no temporary file is left.
[[nodiscard]] FileStatus write_whole_file_atomically(const std::string& path,
                                                     const std::vector<std::uint8_t>& bytes);

// Why a file failed, in one Russian line for "PATH: ...", asked of the
// system after the failure: "файл не прочитан: файла нет", "файл не
// записан: нет места на диске" and so on. size is what was to be written.
[[nodiscard]] std::string read_problem(const std::string& path);
[[nodiscard]] std::string write_problem(const std::string& path, std::size_t size);

// The cause alone ("файла нет", "нет места на диске"); one implementation
// per system (ptm_files_posix.cpp, ptm_files_windows.cpp).
[[nodiscard]] std::string read_cause(const std::string& path);
[[nodiscard]] std::string write_cause(const std::string& path, std::size_t size);

// The causes both systems name, for "файл не прочитан: " / "файл не записан: ".
namespace cause {
inline constexpr const char* kNoFile = "файла нет";
inline constexpr const char* kIsFolder = "это папка, а не файл";
inline constexpr const char* kNotAFile = "это не обычный файл";
inline constexpr const char* kNoReadRight = "нет прав на чтение";
inline constexpr const char* kWriteProtected = "файл защищён от записи";
inline constexpr const char* kNoSpace = "нет места на диске";
inline constexpr const char* kReadOnlyDisk = "диск доступен только для чтения";
inline constexpr const char* kInUse = "файл занят другой программой";
inline constexpr const char* kInputOutput = "ошибка ввода-вывода";
inline constexpr const char* kTooLarge = "превышен предельный размер файла";
// The system refused, though folder, file, rights and space look right.
inline constexpr const char* kRefused = "система отказала в записи";
} // namespace cause

// "нет папки «F»", "«F» не папка", "нет прав на запись в папку «F»".
[[nodiscard]] std::string no_folder_cause(const std::string& folder);
[[nodiscard]] std::string not_a_folder_cause(const std::string& folder);
[[nodiscard]] std::string no_folder_right_cause(const std::string& folder);

} // namespace zuzo::cli
