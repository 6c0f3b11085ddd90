#include "program/write_gate.h"

#include "app/controls.h"

bool write_gate_passes(const MainControls&)
{
    return true;
}
