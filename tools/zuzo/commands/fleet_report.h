#pragma once
// What one command on many ports (--ports) tells: a line for each device as
// it finishes (with the fields that differ under it), then a summary; with
// --json one document holding the object of each device, as --port --json
// prints it, and the summary. The exit code is the worst of the devices'
// (exit_codes.h).

#include "tools/zuzo/commands/device_report.h"
#include "tools/zuzo/json/json.h"

#include <string>
#include <vector>

namespace zuzo::cli {

// "COM3: настройки оптики записаны (тип устройства 25, часы устройства ...,
// расхождение часов +2 с)" and a line for each differing field; ends in a
// line break.
[[nodiscard]] std::string fleet_line(const DeviceRun& run);

// After all devices: what each device holds when Ctrl+C stopped the runs,
// then "Итог: успешно 6 из 8; не выполнено: COM5 — нет ответа или неверный ответ, ...;
// код возврата 1", where a write that did not finish adds what its device
// holds ("COM5 — нет ответа или неверный ответ (не изменено)"). stopped: Ctrl+C was
// pressed.
[[nodiscard]] std::string fleet_summary(const std::vector<DeviceRun>& runs, bool stopped);

// {"devices": [...], "summary": {"ports", "done", "not_done": [{"port",
// "outcome"}...], "stopped", "exit_code"}}.
[[nodiscard]] json::Value fleet_to_json(const std::vector<DeviceRun>& runs, bool stopped);

// The worst exit code of the runs (0 for none).
[[nodiscard]] int fleet_exit_code(const std::vector<DeviceRun>& runs);

} // namespace zuzo::cli
