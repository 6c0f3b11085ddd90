#include "tools/zuzo/command_files.h"

#include "program/file_causes.h"

namespace zuzo::cli {

FileResult read_input(const std::string& path, std::vector<std::uint8_t>& out)
{
    return read_file(path_from_utf8(path), out);
}

FileResult write_output(const std::string& path, std::span<const std::uint8_t> bytes)
{
    return save_file(path_from_utf8(path), bytes);
}

std::string read_problem(const FileResult& result, const std::string& path)
{
    return "файл не прочитан: " + file_cause(result, path_from_utf8(path));
}

std::string write_problem(const FileResult& result, const std::string& path)
{
    return "файл не записан: " + file_cause(result, path_from_utf8(path));
}

} // namespace zuzo::cli
