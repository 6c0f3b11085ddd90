#pragma once
// A picture drawn from SVG text into PNG bytes by Qt, at the picture's own
// size on a white ground. Qt draws text only in a program with a graphical
// application; one is made here when the program has none, on a platform
// that needs no screen (picture_platform, per system).

#include <cstdint>
#include <string>
#include <vector>

namespace zuzo::cli {

struct PngPicture {
    std::vector<std::uint8_t> bytes;
    std::string problem; // Russian, one line; empty when drawn
};

[[nodiscard]] PngPicture png_from_svg(const std::string& svg);

// The Qt platform to draw on: "offscreen" where Qt has it with every
// installation, empty for the system's own (Windows).
[[nodiscard]] const char* picture_platform();

} // namespace zuzo::cli
