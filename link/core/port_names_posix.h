#pragma once
// COM names on Linux: the fixed device rule and the virtual port folder.
//
// A COM name reaches a device by one fixed rule, unless the user's folder of
// virtual ports holds a link of that name, which then takes precedence:
//
//   COM1..COM32   -> /dev/ttyS0..ttyS31    (built-in serial ports)
//   COM33..COM64  -> /dev/ttyUSB0..ttyUSB31 (USB serial adapters)
//   COM65..COM96  -> /dev/ttyACM0..ttyACM31 (USB modem-class devices)
//
// The virtual port folder is "$XDG_RUNTIME_DIR/zuzo-ports", or, without that
// variable, "/tmp/zuzo-ports-<uid>". It is used only while it is a real
// folder owned by the user and not writable by anyone else; a link COMn in
// it (for example one published by the device simulator) names a device.

#include "link/core/port_names.h"

#include <string>
#include <string_view>

namespace zuzo {

enum class FolderStatus { Ok, Missing, NotAFolder, NotOwned, WritableByOthers, CannotCreate };

// Whether folder may be trusted: a real folder (not a link), owned by the
// effective user, with no write permission for group or others.
[[nodiscard]] FolderStatus check_port_folder(const std::string& folder);

// Creates folder with mode 0700 if it is missing, then checks it.
[[nodiscard]] FolderStatus ensure_port_folder(const std::string& folder);

// The device the fixed rule gives COMn, under dev_root ("/dev"); "" when n
// is outside 1..96.
[[nodiscard]] std::string fixed_device_for_com(int n, const std::string& dev_root = "/dev");

// The reverse of the fixed rule: the COM number of a device path such as
// "/dev/ttyUSB3" (35), 0 when the path is not one of the three ranges.
[[nodiscard]] int fixed_com_for_device(std::string_view path, const std::string& dev_root = "/dev");

// One canonical path (the real path, links followed) for a COM name in any
// letter case, or for a device path (anything holding a "/"); "" when nothing
// exists there. A trusted folder's link COMn takes precedence over the fixed
// rule; an empty folder means none.
[[nodiscard]] std::string resolve_port(std::string_view name_or_path, const std::string& folder,
                                       const std::string& dev_root);

// The COM name under which a device path is reached: a link of the trusted
// folder that leads to the same device, else the fixed rule; "" if neither.
[[nodiscard]] std::string com_name_for_path(std::string_view path, const std::string& folder,
                                            const std::string& dev_root = "/dev");

// Every present device of the three ranges and every COMn link of the
// trusted folder whose target exists, as (device path, COM name) pairs,
// ordered by COM number, folder links before devices of the same number.
class SystemPortLister : public PortLister {
public:
    // An empty folder means virtual_port_folder() at each scan.
    explicit SystemPortLister(std::string folder = {}, std::string dev_root = "/dev");
    std::optional<std::vector<PortEntry>> list() override;

private:
    std::string folder_;
    std::string dev_root_;
};

} // namespace zuzo
