// Linux has no device manager of the system: the button is inert. The ports
// the machine has are reported in StatusLog by port discovery instead.

#include "app/platform_commands.h"

namespace zuzo {

ProgramCall device_manager_program()
{
    return {};
}

} // namespace zuzo
