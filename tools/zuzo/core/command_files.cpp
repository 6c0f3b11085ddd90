#include "tools/zuzo/core/command_files.h"

#include "program/core/file_causes.h"
#include "program/core/ptm_format.h"

namespace zuzo::cli {

namespace {

// What is read of a file to tell its kind: more than any program file, the
// first line of a journal or a table, the signature of a picture.
constexpr std::size_t kKindLookBytes = kPtmFileLimit + 1;

} // namespace

FileResult read_input(const std::string& path, std::vector<std::uint8_t>& out, InputKind kind)
{
    return read_file(path_from_utf8(path), out, kind == InputKind::Program ? kPtmFileLimit : kTextInputLimit);
}

FileResult read_input_start(const std::string& path, std::vector<std::uint8_t>& out)
{
    return read_file_start(path_from_utf8(path), out, kKindLookBytes);
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
