#include "tools/zuzo/commands/cli.h"

#include "program/core/file_causes.h"
#include "tools/zuzo/commands/command_checks.h"
#include "tools/zuzo/commands/device_commands.h"
#include "tools/zuzo/commands/device_report.h"
#include "tools/zuzo/commands/help_texts.h"
#include "tools/zuzo/commands/port_test.h"
#include "tools/zuzo/commands/ptm_commands.h"
#include "tools/zuzo/core/console.h"
#include "tools/zuzo/core/exit_codes.h"
#include "tools/zuzo/core/standard_output.h"
#include "tools/zuzo/json/json.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <new>
#include <string_view>

// The project's version, given by the build.
#ifndef ZUZO_VERSION
#error "ZUZO_VERSION is set by CMake from the project's version"
#endif

namespace zuzo::cli {
namespace {

using GroupRun = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct Group {
    std::string_view name; // the first word
    GroupRun run;          // gets the words after it
};

// The command groups; a further group joins here with one line.
const Group kGroups[] = {
    {"ptm", &run_ptm_command},
    {"device", &run_device_command},
    {"port", &run_port_command},
};

// An allocation the system refuses ends the program in one line of its
// own, on whatever thread it happens, instead of the runtime's abort.
[[noreturn]] void out_of_memory()
{
    std::fputs("zuzo: не хватает памяти; программа остановлена\n", stderr);
    std::_Exit(EXIT_ERROR);
}

} // namespace

int run_args(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return refuse_call(err, {}, "ожидается группа команд ptm, device или port");
    if (args.size() == 1 && args[0] == "--version") {
        out << "zuzo " << ZUZO_VERSION << '\n';
        return EXIT_OK;
    }
    if (asks_for_help(args)) {
        out << help_text(args);
        return EXIT_OK;
    }
    // An empty word (an empty file name, an unset variable in a script) is
    // named as such, never taken as a file.
    const auto empty = std::find(args.begin(), args.end(), std::string());
    std::string problem;
    std::string where; // the command words before it: "ptm dump"
    if (empty != args.end()) {
        problem = "пустое слово " + std::to_string(empty - args.begin() + 1) +
                  " (пустое имя файла или значение параметра)";
        for (auto word = args.begin();
             word != empty && where.find(' ') == std::string::npos && !word->starts_with('-'); ++word)
            where += (where.empty() ? "" : " ") + *word;
    } else {
        for (const Group& group : kGroups) {
            if (args[0] == group.name)
                return group.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
        }
        problem = args[0].size() > 1 && args[0][0] == '-' ? "неизвестный параметр " + args[0]
                                                          : "неизвестная группа команд " + args[0];
    }
    // A script that asked for JSON gets an object for its mistake too.
    if (std::find(args.begin(), args.end(), "--json") != args.end())
        out << json::write(usage_to_json({}, (where.empty() ? "zuzo: " : "zuzo " + where + ": ") + problem));
    return refuse_call(err, where, problem);
}

int run(int argc, char** argv)
{
    std::set_new_handler(&out_of_memory);
    StandardOutput output; // first: on Windows the console's line ends go through it
    const Utf8Console console;
    const int code = run_args(command_line_words(argc, argv), std::cout, std::cerr);
    const std::error_code error = output.finish();
    // A reader that stops early (zuzo ptm dump site.ptm | head -1) took what
    // it wanted: the command's own outcome stands.
    if (!error || error == std::errc::broken_pipe)
        return code;
    std::cerr << "zuzo: стандартный вывод не записан: "
              << file_cause({FileStep::Write, error, EntryType::Regular}, {}) << '\n';
    return EXIT_ERROR;
}

} // namespace zuzo::cli
