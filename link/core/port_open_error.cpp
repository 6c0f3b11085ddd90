#include "link/core/port_open_error.h"

namespace zuzo {

const char* port_open_error_name(PortOpenError error)
{
    switch (error) {
    case PortOpenError::None:
        return "";
    case PortOpenError::Missing:
        return "missing";
    case PortOpenError::Busy:
        return "busy";
    case PortOpenError::NoPermission:
        return "no_permission";
    case PortOpenError::SettingsRefused:
        return "settings_refused";
    case PortOpenError::Other:
        break;
    }
    return "other";
}

std::string port_open_error_text(PortOpenError error)
{
    switch (error) {
    case PortOpenError::None:
        return {};
    case PortOpenError::Missing:
        return "такого порта нет";
    case PortOpenError::Busy:
        return "порт занят другой программой";
    case PortOpenError::NoPermission:
        return std::string("нет прав на доступ к порту") + port_permission_hint();
    case PortOpenError::SettingsRefused:
        return "порт не принимает настройки линии (9600 бод, 8 бит, без четности, 1 стоп-бит)";
    case PortOpenError::Other:
        break;
    }
    return "порт не открывается";
}

} // namespace zuzo
