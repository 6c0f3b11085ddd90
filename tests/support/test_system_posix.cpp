#include "support/test_system.h"

bool on_windows()
{
    return false;
}

bool under_wine()
{
    return false;
}
