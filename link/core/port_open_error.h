#pragma once
// Why a port did not open, and how that is said to a user in one line.

#include <string>

namespace zuzo {

enum class PortOpenError {
    None,
    Missing,         // the name reaches no device
    Busy,            // another program (or link) holds the port
    NoPermission,    // the user may not open the device
    SettingsRefused, // the port opened but refused the line settings
    Other,
};

// The stable name for scripts: "missing", "busy", "no_permission",
// "settings_refused", "other" ("" for None).
[[nodiscard]] const char* port_open_error_name(PortOpenError error);

// The cause in Russian, e.g. "порт занят другой программой"; on Linux the
// one for a missing permission names the group that grants it.
[[nodiscard]] std::string port_open_error_text(PortOpenError error);

// --- per platform ------------------------------------------------------------

// What a refused open of an existing device means on this system when the
// serial port layer calls it a permission error (port_open_error_posix.cpp,
// port_open_error_windows.cpp).
[[nodiscard]] PortOpenError classify_permission_error(const std::string& device_path);

// The hint added to a missing permission, "" where there is none.
[[nodiscard]] const char* port_permission_hint();

} // namespace zuzo
