// POSIX systems hand a program its command line as the bytes typed (UTF-8
// in any current locale), write output unchanged and end lines in LF:
// nothing to do.

#include "tools/zuzo/core/console.h"

namespace zuzo::cli {

std::vector<std::string> command_line_words(int argc, char** argv)
{
    std::vector<std::string> words;
    for (int k = 1; k < argc; ++k)
        words.emplace_back(argv[k]);
    return words;
}

void write_unchanged(std::FILE* /*stream*/) {}

Utf8Console::Utf8Console() = default;

Utf8Console::~Utf8Console() = default;

} // namespace zuzo::cli
