#pragma once
// The serial ports Windows knows: the values of the registry key
// HKEY_LOCAL_MACHINE "HARDWARE\DEVICEMAP\SERIALCOMM". Each value's name is
// the device ("\Device\Serial0"), its data the port name ("COM1").

#include "link/core/port_list.h"

#include <string>

namespace zuzo {

// The registry trees a lister may read; tests use a key of their own under
// the current user.
enum class RegistryRoot { LocalMachine, CurrentUser };

inline constexpr const char* kSerialCommKey = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

class RegistryPortLister : public PortLister {
public:
    explicit RegistryPortLister(RegistryRoot root = RegistryRoot::LocalMachine,
                                std::string key = kSerialCommKey);

    // The values in the order the registry enumerates them, as (value name,
    // port name) pairs. Enumeration ends at the first index that cannot be
    // read or whose name is empty; a value whose data cannot be read as a
    // name of at most 254 characters, or whose name does not begin with "com"
    // in any letter case, is passed over, and so is a value whose own name is
    // too long for 254 characters. Nothing at all when the key cannot be
    // opened.
    std::optional<std::vector<PortEntry>> list() override;

private:
    RegistryRoot root_;
    std::string key_;
};

} // namespace zuzo
