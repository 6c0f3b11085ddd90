#include "tools/zuzo/commands/ptm_commands.h"

#include "program/core/ptm_format.h"
#include "program/core/ptm_optics_patch.h"
#include "tools/zuzo/commands/command_checks.h"
#include "tools/zuzo/commands/file_kinds.h"
#include "tools/zuzo/commands/plan_commands.h"
#include "tools/zuzo/commands/ptm_check.h"
#include "tools/zuzo/commands/ptm_diff.h"
#include "tools/zuzo/core/command_files.h"
#include "tools/zuzo/core/same_file.h"
#include "tools/zuzo/core/text_input.h"
#include "tools/zuzo/json/json.h"
#include "tools/zuzo/json/json_program.h"
#include "tools/zuzo/json/ptm_make.h"

#include <ostream>

namespace zuzo::cli {
namespace {

// The words each command expects after its name.
struct CommandWords {
    std::string_view name;
    std::size_t count;
    const char* expected;
};

constexpr CommandWords kCommands[] = {
    {"dump", 1, "ФАЙЛ.ptm"},
    {"make", 2, "ПРОГРАММА.json ФАЙЛ.ptm"},
    {"check", 1, "ФАЙЛ.ptm"},
};

int bad_use(std::ostream& err, const std::vector<std::string>& args)
{
    if (args.empty())
        return refuse_call(err, "ptm", "ожидается команда dump, make, check, diff или plan");
    for (const CommandWords& c : kCommands) {
        if (args[0] == c.name)
            return refuse_call(err, "ptm " + args[0], std::string("ожидается ") + c.expected);
    }
    return refuse_call(err, "ptm", "неизвестная команда " + args[0]);
}

int dump(const std::string& path, std::ostream& out, std::ostream& err)
{
    DeviceProgram program;
    if (!load_program_file(path, program, err))
        return EXIT_ERROR;
    out << json::write(program_to_json(program));
    return EXIT_OK;
}

int make(const std::string& json_path, const std::string& out_path, std::ostream& err)
{
    if (writes_over_input(err, json_path, out_path) || refuses_output(err, out_path, FileKind::Program))
        return EXIT_ERROR;
    std::vector<std::uint8_t> bytes;
    if (const FileResult read = read_input(json_path, bytes, InputKind::Json); !read.done()) {
        report_file_problem(err, json_path, read_problem(read, json_path));
        return EXIT_ERROR;
    }
    const PtmMakeResult made = make_ptm(utf8_text(bytes)); // UTF-16 from PowerShell too
    if (!made.made) {
        report_file_problem(err, json_path, made.error);
        return EXIT_ERROR;
    }
    if (const FileResult written = write_output(out_path, made.bytes); !written.done()) {
        report_file_problem(err, out_path, write_problem(written, out_path));
        return EXIT_ERROR;
    }
    return EXIT_OK;
}

int check(const std::string& path, std::ostream& out, std::ostream& err)
{
    DeviceProgram program;
    if (!load_program_file(path, program, err, ProgramNeeds::WholeOptics))
        return EXIT_ERROR;
    // The optics rules' own faults first, as the tool's warnings show them.
    int faults = print_optics_faults(program, out);
    faults += print_range_faults(program, out);
    faults += print_plan_faults(program, out);
    (void)print_range_warnings(program, out); // a warning alone does not fail the check
    return faults > 0 ? EXIT_FAULTS : EXIT_OK;
}

} // namespace

int run_ptm_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty() && args[0] == "diff") // the one that takes an option
        return run_ptm_diff(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    for (const std::string& a : args) {
        if (a.size() > 1 && a[0] == '-')
            return refuse_call(err, "ptm", "неизвестный параметр " + a);
    }
    if (args.size() == 2 && args[0] == "dump")
        return dump(args[1], out, err);
    if (args.size() == 3 && args[0] == "make")
        return make(args[1], args[2], err);
    if (args.size() == 2 && args[0] == "check")
        return check(args[1], out, err);
    if (!args.empty() && args[0] == "plan")
        return run_plan_command(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    return bad_use(err, args);
}

} // namespace zuzo::cli
