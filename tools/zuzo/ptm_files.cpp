#include "tools/zuzo/ptm_files.h"

#include "program/file_store.h"

namespace zuzo::cli {

FileStatus read_whole_file(const std::string& path, std::vector<std::uint8_t>& out)
{
    return read_file(path_from_utf8(path), out) == FileResult::Done ? FileStatus::Done : FileStatus::Failed;
}

FileStatus write_whole_file_atomically(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    return save_file(path_from_utf8(path), bytes) == FileResult::Done ? FileStatus::Done : FileStatus::Failed;
}

std::string no_folder_cause(const std::string& folder)
{
    return "нет папки «" + folder + "»";
}

std::string not_a_folder_cause(const std::string& folder)
{
    return "«" + folder + "» не папка";
}

std::string no_folder_right_cause(const std::string& folder)
{
    return "нет прав на запись в папку «" + folder + "»";
}

std::string read_problem(const std::string& path)
{
    return "файл не прочитан: " + read_cause(path);
}

std::string write_problem(const std::string& path, std::size_t size)
{
    return "файл не записан: " + write_cause(path, size);
}

} // namespace zuzo::cli
