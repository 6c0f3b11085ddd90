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

} // namespace zuzo::cli
