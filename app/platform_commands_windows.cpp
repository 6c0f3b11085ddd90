// Windows starts its device manager through Rundll32.

#include "app/platform_commands.h"

namespace zuzo {

ProgramCall device_manager_program()
{
    return {"Rundll32.exe", {"devmgr,DeviceManager_Execute"}};
}

} // namespace zuzo
