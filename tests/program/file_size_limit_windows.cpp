// Windows limits no file's size for a process: the limit is never active.

#include "program/file_size_limit.h"

FileSizeLimit::FileSizeLimit(unsigned long long /*bytes*/) {}

FileSizeLimit::~FileSizeLimit() = default;
