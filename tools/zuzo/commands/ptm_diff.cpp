#include "tools/zuzo/commands/ptm_diff.h"

#include "tools/zuzo/commands/command_checks.h"
#include "tools/zuzo/commands/program_diff.h"
#include "tools/zuzo/core/exit_codes.h"
#include "tools/zuzo/json/json.h"

#include <ostream>
#include <sstream>

namespace zuzo::cli {
namespace {

// The object of --json; differences only once both files were read.
json::Value diff_json(const std::vector<std::string>& files, const std::vector<ProgramDifference>* found,
                      const char* outcome, const std::string& result, int code)
{
    json::Value v = json::Value::object();
    v["first"] = files.empty() ? json::Value(nullptr) : json::Value(files[0]);
    v["second"] = files.size() < 2 ? json::Value(nullptr) : json::Value(files[1]);
    if (found != nullptr) {
        json::Value list = json::Value::array();
        for (const ProgramDifference& d : *found)
            list.push_back({{"field", d.field}, {"first", d.first}, {"second", d.second}});
        v["differences"] = std::move(list);
    }
    v["outcome"] = outcome;
    v["result"] = result;
    v["exit_code"] = code;
    return v;
}

} // namespace

int run_ptm_diff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    bool as_json = false;
    std::vector<std::string> files;
    std::string problem;
    for (const std::string& a : args) {
        if (a == "--json" && !as_json)
            as_json = true;
        else if (a == "--json")
            problem = "параметр --json указан дважды";
        else if (a.size() > 1 && a[0] == '-')
            problem = "неизвестный параметр " + a;
        else
            files.push_back(a);
    }
    if (problem.empty() && files.size() != 2)
        problem = "ожидается ФАЙЛ1.ptm ФАЙЛ2.ptm";
    if (!problem.empty()) {
        if (as_json)
            out << json::write(diff_json(files, nullptr, "usage", "zuzo ptm diff: " + problem, EXIT_ERROR));
        return refuse_call(err, "ptm diff", problem);
    }

    DeviceProgram programs[2];
    for (std::size_t k = 0; k < 2; ++k) {
        std::ostringstream message;
        if (!load_program_file(files[k], programs[k], message, ProgramNeeds::WholeOptics)) {
            std::string line = message.str();
            line.pop_back(); // its line break
            if (as_json)
                out << json::write(diff_json(files, nullptr, "file_failed", line, EXIT_ERROR));
            err << line << '\n';
            return EXIT_ERROR;
        }
    }
    const std::vector<ProgramDifference> found = program_differences(programs[0], programs[1]);
    const int code = found.empty() ? EXIT_OK : EXIT_DIFFERS;
    const std::string result =
        found.empty() ? "программы в файлах совпадают"
                      : "программы в файлах различаются (полей: " + std::to_string(found.size()) + ")";
    if (as_json) {
        out << json::write(diff_json(files, &found, found.empty() ? "done" : "differs", result, code));
        return code;
    }
    out << (found.empty() ? "Программы в файлах совпадают\n" : "Программы в файлах различаются:\n");
    for (const ProgramDifference& d : found)
        out << "  " << d.field << ": в " << files[0] << ' ' << d.first << "; в " << files[1] << ' '
            << d.second << '\n';
    return code;
}

} // namespace zuzo::cli
