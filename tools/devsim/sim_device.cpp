#include "tools/devsim/sim_device.h"

namespace zuzo::sim {
SimDevice::SimDevice() = default;
}
