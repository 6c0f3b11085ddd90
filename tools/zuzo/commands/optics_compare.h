#pragma once
// What the device holds against what a program write of a file would send:
// the 22 optics bytes compared byte for byte, each differing field told in
// the units of the tool (percent, Lux, sensor on/off).

#include "link/core/optics_bytes.h"

#include <string>
#include <vector>

namespace zuzo {

// The 22 bytes the device holds, in the order of the program write, from the
// replies of CMD_READ_OPTICS_A, _B and _C (the reads give each threshold
// high byte first, the write low byte first).
[[nodiscard]] OpticsBytes device_optics_bytes(const ReplyBytes& a, const ReplyBytes& b, const ReplyBytes& c);

// A value of a program file in the units of the tool ("50 %", "200 Lux",
// "вкл."); one that does not reach the device exactly says so ("150 % (вне
// диапазона устройства)").
[[nodiscard]] std::string optics_value_text(const OpticsValue& v);

struct OpticsDifference {
    std::string field;        // the program's field name, e.g. "evening_brightness.module_red"
    std::string file_value;   // as the file holds it, e.g. "50 %"
    std::string device_value; // as the device holds it, e.g. "49 %"
};

// The fields whose bytes differ between a write of the program and the
// device's bytes, in the order of the program write, and every field that a
// write would not send exactly (it matches nothing the device can hold).
// Where both sides read as the same percent (byte 127 and 128 are both
// 50 %), the bytes are added.
[[nodiscard]] std::vector<OpticsDifference> optics_differences(const DeviceProgram& file,
                                                               const OpticsBytes& device);

} // namespace zuzo
