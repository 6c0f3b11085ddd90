#pragma once
// COM names and how each platform reaches the port behind one.
//
// The tool offers COM1..COM200. What a COM name opens, where the list of the
// machine's ports comes from, and whether a folder of virtual ports exists
// differ by platform; each platform has its own file for them
// (port_names_posix.cpp, port_names_windows.cpp), chosen by the build.

#include "link/core/port_list.h"

#include <memory>
#include <string>
#include <string_view>

namespace zuzo {

constexpr int kComFirst = 1;
constexpr int kComLast = 200;

// The number n of "COMn" in any letter case (no sign, no blanks, no leading
// zero), 0 when name is not such a name or n is outside 1..200.
[[nodiscard]] int com_number(std::string_view name);

// "COM" followed by n in decimal.
[[nodiscard]] std::string com_name(int n);

// A decimal number of at most four digits without sign or leading zero,
// -1 for anything else.
[[nodiscard]] int small_decimal(std::string_view digits);

// --- per platform ------------------------------------------------------------

// The folder whose COMn links stand for COM names, "" on a platform without
// virtual ports.
[[nodiscard]] std::string virtual_port_folder();

// The name to open for a COM name in any letter case (or, where the platform
// has device paths, for a path); "" when the name reaches nothing. folder is
// the virtual port folder, "" for none.
[[nodiscard]] std::string resolve_port(std::string_view name_or_path, const std::string& folder);

// The characters that separate the elements of a device path.
[[nodiscard]] const char* device_path_separator();

// The list of the machine's serial ports, as the system keeps it.
[[nodiscard]] std::unique_ptr<PortLister> make_system_port_lister();

} // namespace zuzo
