#include "tools/zuzo/commands/plan_commands.h"

#include "plans/core/plan_csv.h"
#include "program/core/file_store.h"
#include "program/core/optics_range.h"
#include "program/core/ptm_format.h"
#include "tools/zuzo/commands/command_checks.h"
#include "tools/zuzo/commands/plan_chart.h"
#include "tools/zuzo/commands/ptm_check.h"
#include "tools/zuzo/core/command_files.h"
#include "tools/zuzo/core/text_input.h"

#include <optional>
#include <ostream>
#include <sstream>

namespace zuzo::cli {
namespace {

int export_plan(const std::vector<std::string>& files, std::ostream& out, std::ostream& err)
{
    if (files.size() == 2 &&
        (writes_over_input(err, files[0], files[1]) || refuses_output(err, files[1], FileKind::Table)))
        return EXIT_ERROR;
    DeviceProgram program;
    if (!load_program_file(files[0], program, err))
        return EXIT_ERROR;
    const std::string table = write_plan_csv(program);
    if (files.size() == 1) {
        out << table;
        return EXIT_OK;
    }
    const std::vector<std::uint8_t> bytes(table.begin(), table.end());
    if (const FileResult written = write_output(files[1], bytes); !written.done()) {
        report_file_problem(err, files[1], write_problem(written, files[1]));
        return EXIT_ERROR;
    }
    return EXIT_OK;
}

int import_plan(const std::string& csv_path, const std::string& ptm_path, std::ostream& out,
                std::ostream& err)
{
    if (writes_over_input(err, csv_path, ptm_path))
        return EXIT_ERROR;
    // The program file is read before it is written: never a device or a pipe.
    if (const std::string refusal = target_refusal(ptm_path); !refusal.empty()) {
        report_file_problem(err, ptm_path, refusal);
        return EXIT_ERROR;
    }
    std::vector<std::uint8_t> table;
    if (const FileResult read = read_input(csv_path, table, InputKind::Table); !read.done()) {
        report_file_problem(err, csv_path, read_problem(read, csv_path));
        return EXIT_ERROR;
    }
    std::vector<std::uint8_t> before;
    if (entry_type(path_from_utf8(ptm_path)) == EntryType::Missing) {
        before = write_ptm(DeviceProgram{});
    } else if (const FileResult read = read_input(ptm_path, before, InputKind::Program); !read.done()) {
        report_file_problem(err, ptm_path, read_problem(read, ptm_path));
        return EXIT_ERROR;
    }
    DeviceProgram plan;
    const PlanCsvResult read = read_plan_csv(utf8_text(table), plan); // UTF-16 from PowerShell too
    if (read.status == PlanCsvStatus::NoRows || read.status == PlanCsvStatus::NotATable) {
        err << csv_path << ": " << read.error << "; файл " << ptm_path << " не изменен\n";
        return EXIT_ERROR;
    }
    if (read.status != PlanCsvStatus::Ok) {
        err << csv_path << ", строка " << read.line << ": " << read.error << "; файл " << ptm_path
            << " не изменен\n";
        return EXIT_ERROR;
    }
    const std::optional<std::vector<std::uint8_t>> after = replace_ptm_plan(before, plan);
    if (!after) {
        report_file_problem(err, ptm_path, kBadFormat);
        return EXIT_ERROR;
    }
    // The new content must read back as the old program with the new plan.
    DeviceProgram expected;
    DeviceProgram written;
    if (read_ptm(before, expected) != PtmReadResult::Loaded ||
        read_ptm(*after, written) != PtmReadResult::Loaded) {
        report_file_problem(err, ptm_path, kBadFormat);
        return EXIT_ERROR;
    }
    if (const std::optional<std::string> inexact = first_inexact_optics_value(expected)) {
        report_file_problem(err, ptm_path,
                            "в устройство не уходит как есть: " + *inexact + "; файл не изменен");
        return EXIT_ERROR;
    }
    expected.plan_enabled = plan.plan_enabled;
    expected.plan_hour = plan.plan_hour;
    expected.plan_minute = plan.plan_minute;
    expected.plan_volume = plan.plan_volume;
    if (written != expected || after->size() > kPtmFileLimit) {
        report_file_problem(err, ptm_path,
                            "план нельзя вставить так, чтобы файл читался обратно тем же; файл не изменен");
        return EXIT_ERROR;
    }
    if (const FileResult saved = write_output(ptm_path, *after); !saved.done()) {
        report_file_problem(err, ptm_path, write_problem(saved, ptm_path));
        return EXIT_ERROR;
    }
    std::ostringstream faults;
    if (print_plan_faults(written, faults) == 0)
        return EXIT_OK;
    out << ptm_path << ": план записан в файл, но не проходит проверку:\n" << faults.str();
    return EXIT_FAULTS;
}

} // namespace

int run_plan_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty() && args[0] == "export" && (args.size() == 2 || args.size() == 3))
        return export_plan(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    if (args.size() == 3 && args[0] == "import")
        return import_plan(args[1], args[2], out, err);
    if (args.size() == 3 && args[0] == "chart")
        return run_plan_chart(args[1], args[2], err);
    if (!args.empty() && args[0] == "chart")
        return refuse_call(err, "ptm plan chart", "ожидается ФАЙЛ.ptm НЕДЕЛЯ.svg или НЕДЕЛЯ.png");
    if (!args.empty() && args[0] == "export")
        return refuse_call(err, "ptm plan export", "ожидается ФАЙЛ.ptm [ПЛАН.csv]");
    if (!args.empty() && args[0] == "import")
        return refuse_call(err, "ptm plan import", "ожидается ПЛАН.csv ФАЙЛ.ptm");
    return refuse_call(err, "ptm plan",
                       args.empty() ? std::string("ожидается export, import или chart")
                                    : "неизвестная команда " + args[0]);
}

} // namespace zuzo::cli
