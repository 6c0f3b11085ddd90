// Windows limits no file's size for a process: the limit is never active.

#include "program/file_size_limit.h"

FileSizeLimit::FileSizeLimit(unsigned long long /*bytes*/) {}

FileSizeLimit::~FileSizeLimit() = default;

const char* FileSizeLimit::why_unavailable()
{
    return "Windows has no per-process file size limit to make a save fail (RLIMIT_FSIZE)";
}
