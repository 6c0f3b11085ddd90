// Wine's own ntdll exports its version; Windows' does not.

#include "support/test_system.h"

#include <windows.h>

bool on_windows()
{
    return true;
}

bool under_wine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
