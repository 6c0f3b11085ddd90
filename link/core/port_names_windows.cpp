// COM names on Windows: "COMn" opens the system's device "\\.\COMn", which
// also reaches ports numbered above 9; the list of ports is the system's own
// (link/core/registry_ports_windows.h). There is no folder of virtual ports.

#include "link/core/port_names.h"
#include "link/core/registry_ports_windows.h"

namespace zuzo {

std::string virtual_port_folder()
{
    return {};
}

std::string resolve_port(std::string_view name_or_path, const std::string& /*folder*/)
{
    const int n = com_number(name_or_path);
    return n == 0 ? std::string{} : "\\\\.\\" + com_name(n);
}

const char* device_path_separator()
{
    return "\\";
}

std::unique_ptr<PortLister> make_system_port_lister()
{
    return std::make_unique<RegistryPortLister>();
}

} // namespace zuzo
