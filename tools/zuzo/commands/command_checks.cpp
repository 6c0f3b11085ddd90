#include "tools/zuzo/commands/command_checks.h"

#include "program/core/ptm_format.h"
#include "program/core/ptm_optics_patch.h"
#include "tools/zuzo/core/command_files.h"
#include "tools/zuzo/core/exit_codes.h"
#include "tools/zuzo/core/same_file.h"

#include <cstdint>
#include <ostream>
#include <vector>

namespace zuzo::cli {

void report_file_problem(std::ostream& err, const std::string& path, std::string_view message)
{
    while (!message.empty() && message.back() == '\n')
        message.remove_suffix(1);
    err << path << ": " << message << '\n';
}

bool writes_over_input(std::ostream& err, const std::string& input, const std::string& output)
{
    if (!same_file(input, output))
        return false;
    err << output << ": тот же файл, что и " << input << "; ничего не записано\n";
    return true;
}

bool refuses_output(std::ostream& err, const std::string& path, FileKind kind)
{
    const std::string refusal = output_refusal(path, kind);
    if (!refusal.empty())
        report_file_problem(err, path, refusal);
    return !refusal.empty();
}

bool load_program_file(const std::string& path, DeviceProgram& program, std::ostream& err, ProgramNeeds needs)
{
    std::vector<std::uint8_t> bytes;
    if (const FileResult read = read_input(path, bytes, InputKind::Program); !read.done()) {
        report_file_problem(err, path, read_problem(read, path));
        return false;
    }
    if (read_ptm(bytes, program) != PtmReadResult::Loaded) {
        report_file_problem(err, path, kBadFormat);
        return false;
    }
    if (needs == ProgramNeeds::WholeOptics) {
        if (const std::string cut = ptm_cut_short_words(bytes); !cut.empty()) {
            report_file_problem(err, path, cut);
            return false;
        }
    }
    return true;
}

int refuse_call(std::ostream& err, const std::string& where, const std::string& problem)
{
    const std::string zuzo = where.empty() ? std::string("zuzo") : "zuzo " + where;
    err << zuzo << ": " << problem << "; см. " << zuzo << " --help\n";
    return EXIT_ERROR;
}

} // namespace zuzo::cli
