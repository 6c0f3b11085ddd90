#include "tools/zuzo/cli.h"

#include "program/file_causes.h"
#include "tools/zuzo/console.h"
#include "tools/zuzo/device_commands.h"
#include "tools/zuzo/device_report.h"
#include "tools/zuzo/help_texts.h"
#include "tools/zuzo/json.h"
#include "tools/zuzo/port_test.h"
#include "tools/zuzo/ptm_commands.h"
#include "tools/zuzo/standard_output.h"

#include <algorithm>
#include <iostream>
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
    for (const Group& group : kGroups) {
        if (args[0] == group.name)
            return group.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    }
    const std::string problem = args[0].size() > 1 && args[0][0] == '-'
                                    ? "неизвестный параметр " + args[0]
                                    : "неизвестная группа команд " + args[0];
    // A script that asked for JSON gets an object for its mistake too.
    if (std::find(args.begin(), args.end(), "--json") != args.end())
        out << json::write(usage_to_json({}, "zuzo: " + problem));
    return refuse_call(err, {}, problem);
}

int run(int argc, char** argv)
{
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
