#pragma once
// The weekly plan as one picture, written as SVG text: seven rows, Monday at
// the top, the 24 hours of the day across; each switched-on interval a black
// bar at its time, as high as its volume (full height 100 %), with its time
// and volume written beside it. Days and hours are labelled in Russian, the
// title is given (the file's name). Black, white and grey only, so that it
// reads the same printed in black and white.
//
// Labels keep apart: intervals at one time or a few minutes apart have their
// labels side by side, no grid line runs through a label, and intervals at
// no time of the day are named under the picture in as many lines as they
// take.
//
// For whoever reads the picture back: the bar of day d, interval k has the
// id "d<d>i<k>" and its label "t<d>i<k>", the line of hour h (0..24) the id
// "h<h>", the band of day d the id "day<d>".

#include "program/core/device_program.h"

#include <string>

namespace zuzo {

inline constexpr int kChartWidth = 1200;

[[nodiscard]] std::string week_chart_svg(const DeviceProgram& program, const std::string& title);

} // namespace zuzo
