#include "link/core/port_list.h"

#include "link/core/port_names.h"

#include <cctype>

namespace zuzo {

bool begins_with_com(const std::string& name)
{
    if (name.size() < 3)
        return false;
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != "com"[i])
            return false;
    }
    return true;
}

std::string port_key(const PortEntry& entry)
{
    if (!begins_with_com(entry.com_name))
        return {};
    const std::string joined = entry.device_path + "  " + entry.com_name;
    const std::size_t separator = joined.find_last_of(device_path_separator());
    return separator == std::string::npos ? joined : joined.substr(separator + 1);
}

} // namespace zuzo
