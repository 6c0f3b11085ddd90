#include "tools/zuzo/commands/fleet_report.h"

#include "tools/zuzo/core/exit_codes.h"
#include "tools/zuzo/core/interrupt.h"

namespace zuzo::cli {
namespace {

// Why a device is not done, in a few words for the summary.
const char* outcome_words(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::Done:
        return "успешно";
    case RunOutcome::Differs:
        return "отличается от файла";
    case RunOutcome::Unsupported:
        return "другой тип устройства";
    case RunOutcome::DeviceFailed:
        return "нет ответа или неверный ответ";
    case RunOutcome::LinkBroken:
        return "связь потеряна";
    case RunOutcome::EepromFault:
        return "повреждена EEPROM";
    case RunOutcome::Refused:
        return "запись отклонена";
    case RunOutcome::PortFailed:
        return "порт не открылся";
    case RunOutcome::FileFailed:
        return "ошибка файла";
    case RunOutcome::JournalFailed:
        return "строка журнала не записана";
    case RunOutcome::ClockOff:
        return "часы расходятся";
    case RunOutcome::Stopped:
        break;
    }
    return "остановлено";
}

// What a device that did its command showed: type, sensor and
// illuminance (status), clock and its offset.
std::string what_was_seen(const DeviceRun& run)
{
    std::string seen = "тип устройства " + std::to_string(run.device_type.value_or(0));
    if (run.command == "status" && run.details.contains("optical_sensor_on") &&
        run.details.at("optical_sensor_on").is_boolean()) {
        const bool on = run.details.at("optical_sensor_on").get<bool>();
        seen += std::string(", датчик ") + (on ? "вкл." : "выкл.");
        if (on && run.details.at("illuminance").is_number())
            seen += ", освещенность " + std::to_string(run.details.at("illuminance").get<int>()) + " Lux";
    }
    seen += ", часы устройства " + (run.clock.empty() ? std::string("неизвестны") : run.clock);
    if (run.clock_offset)
        seen += ", расхождение часов " + signed_seconds(*run.clock_offset) + " с";
    return seen;
}

} // namespace

std::string fleet_line(const DeviceRun& run)
{
    std::string line = run.port + ": " + run.result;
    if (run.outcome == RunOutcome::Done && run.device_type)
        line += " (" + what_was_seen(run) + ")";
    line += '\n';
    for (const FieldDifference& f : run.differences)
        line += "    " + f.field + ": в файле " + f.file_value + ", в устройстве " + f.device_value + '\n';
    return line;
}

std::string fleet_summary(const std::vector<DeviceRun>& runs, bool stopped)
{
    std::string text;
    if (stopped) {
        text = std::string("Остановлено по ") + interrupt_words() + ".";
        const bool writes = !runs.empty() && runs.front().command == "write";
        if (writes) {
            text += " В устройствах:";
            for (std::size_t k = 0; k < runs.size(); ++k)
                text +=
                    std::string(k == 0 ? " " : ", ") + runs[k].port + " — " + holds_short(runs[k].holding);
        } else {
            text += " Устройства не изменены.";
        }
        text += '\n';
    }
    std::size_t done = 0;
    std::string not_done;
    for (const DeviceRun& run : runs) {
        if (run.outcome == RunOutcome::Done) {
            ++done;
            continue;
        }
        not_done += std::string(not_done.empty() ? "; не выполнено: " : ", ") + run.port + " — " +
                    outcome_words(run.outcome);
        // A write that did not finish: what the device holds, unless the
        // line of Ctrl+C above said it already.
        if (run.command == "write" && !stopped)
            not_done += " (" + holds_short(run.holding) + ")";
    }
    return text + "Итог: успешно " + std::to_string(done) + " из " + std::to_string(runs.size()) + not_done +
           "; код возврата " + std::to_string(fleet_exit_code(runs)) + '\n';
}

json::Value fleet_to_json(const std::vector<DeviceRun>& runs, bool stopped)
{
    json::Value devices = json::Value::array();
    json::Value not_done = json::Value::array();
    int done = 0;
    for (const DeviceRun& run : runs) {
        devices.push_back(run_to_json(run));
        if (run.outcome == RunOutcome::Done)
            ++done;
        else
            not_done.push_back({{"port", run.port}, {"outcome", outcome_name(run.outcome)}});
    }
    json::Value summary = json::Value::object();
    summary["ports"] = runs.size();
    summary["done"] = done;
    summary["not_done"] = std::move(not_done);
    summary["stopped"] = stopped;
    summary["exit_code"] = fleet_exit_code(runs);
    json::Value v = json::Value::object();
    v["devices"] = std::move(devices);
    v["summary"] = std::move(summary);
    return v;
}

int fleet_exit_code(const std::vector<DeviceRun>& runs)
{
    int code = EXIT_OK;
    for (const DeviceRun& run : runs)
        code = worse_exit_code(code, run.exit_code);
    return code;
}

} // namespace zuzo::cli
