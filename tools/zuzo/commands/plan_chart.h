#pragma once
// "zuzo ptm plan chart FILE.ptm WEEK.svg|WEEK.png": the weekly plan of a
// program file as one picture (plans/core/week_chart.h), titled with the file's
// name; SVG as text, PNG drawn from it by Qt. The picture is written only
// where nothing is, into an empty file or over a picture.
// Exit codes: 0 written, 2 bad usage, an unreadable or foreign file, a
// picture that cannot be drawn or written.

#include <iosfwd>
#include <string>

namespace zuzo::cli {

[[nodiscard]] int run_plan_chart(const std::string& ptm_path, const std::string& picture_path,
                                 std::ostream& err);

} // namespace zuzo::cli
