#include "tools/zuzo/commands/plan_chart.h"

#include "plans/core/week_chart.h"
#include "tools/zuzo/commands/chart_png.h"
#include "tools/zuzo/commands/command_checks.h"
#include "tools/zuzo/commands/file_kinds.h"
#include "tools/zuzo/core/command_files.h"
#include "tools/zuzo/core/exit_codes.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

namespace zuzo::cli {
namespace {

// The name's extension in lower case (".svg").
std::string extension_of(const std::string& path)
{
    std::string ext = utf8_from_path(path_from_utf8(path).extension());
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace

int run_plan_chart(const std::string& ptm_path, const std::string& picture_path, std::ostream& err)
{
    const std::string ext = extension_of(picture_path);
    if (ext != ".svg" && ext != ".png")
        return refuse_call(err, "ptm plan chart",
                           picture_path + ": рисунок записывается в файл .svg или .png");
    if (writes_over_input(err, ptm_path, picture_path) ||
        refuses_output(err, picture_path, FileKind::Picture))
        return EXIT_ERROR;
    DeviceProgram program;
    if (!load_program_file(ptm_path, program, err))
        return EXIT_ERROR;
    const std::string title = utf8_from_path(path_from_utf8(ptm_path).filename());
    const std::string svg = week_chart_svg(program, title);
    std::vector<std::uint8_t> bytes(svg.begin(), svg.end());
    if (ext == ".png") {
        PngPicture png = png_from_svg(svg);
        if (!png.problem.empty()) {
            report_file_problem(err, picture_path, png.problem + "; файл не изменен");
            return EXIT_ERROR;
        }
        bytes = std::move(png.bytes);
    }
    if (const FileResult written = write_output(picture_path, bytes); !written.done()) {
        report_file_problem(err, picture_path, write_problem(written, picture_path));
        return EXIT_ERROR;
    }
    return EXIT_OK;
}

} // namespace zuzo::cli
