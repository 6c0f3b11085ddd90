#include "tools/zuzo/commands/find_report.h"

#include "link/core/protocol.h"
#include "tools/zuzo/commands/device_report.h"
#include "tools/zuzo/core/exit_codes.h"

namespace zuzo::cli {
namespace {

const char* outcome_name(FindOutcome outcome)
{
    switch (outcome) {
    case FindOutcome::Found:
        return "found";
    case FindOutcome::EepromFault:
        return "eeprom_fault";
    case FindOutcome::Echo:
        return "echo";
    case FindOutcome::Unrecognised:
        return "unrecognised";
    case FindOutcome::Silent:
        return "silent";
    case FindOutcome::Lost:
        return "lost";
    case FindOutcome::PortFailed:
        break;
    }
    return "port_failed";
}

bool supported(const FoundPort& p)
{
    return p.device_type == DEVICE_TYPE_CODE;
}

// Type, sensor, illuminance (while the sensor is used), clock and offset.
std::string what_was_seen(const FoundPort& p)
{
    std::string seen = "тип устройства " + std::to_string(p.device_type.value_or(0));
    if (p.sensor_on) {
        seen += std::string(", датчик ") + (*p.sensor_on ? "вкл." : "выкл.");
        if (*p.sensor_on && p.illuminance)
            seen += ", освещенность " + std::to_string(*p.illuminance) + " Lux";
    }
    seen += ", часы устройства " + (p.clock.empty() ? std::string("неизвестны") : p.clock);
    if (p.clock_offset)
        seen += ", расхождение часов " + signed_seconds(*p.clock_offset) + " с";
    return seen;
}

template <typename T> json::Value or_null(const std::optional<T>& v)
{
    return v ? json::Value(*v) : json::Value(nullptr);
}

std::vector<std::string> answered_names(const std::vector<FoundPort>& ports)
{
    std::vector<std::string> names;
    for (const FoundPort& p : ports) {
        if (answered(p))
            names.push_back(p.port);
    }
    return names;
}

} // namespace

bool answered(const FoundPort& port)
{
    return port.outcome == FindOutcome::Found || port.outcome == FindOutcome::EepromFault;
}

std::string find_result(const FoundPort& p)
{
    switch (p.outcome) {
    case FindOutcome::Found:
        return std::string(supported(p) ? "отвечает устройство" : "отвечает устройство другого типа") + " (" +
               what_was_seen(p) + ")";
    case FindOutcome::EepromFault:
        return "отвечает устройство, но сообщает: " + p.device_said;
    case FindOutcome::Echo:
        return "вернулся собственный запрос: на порту заглушка проверки кабеля или переходник повторяет "
               "переданное";
    case FindOutcome::Unrecognised:
        return "ответ не распознан: отвечает не устройство Vestorin Zuzo, или на линии помехи";
    case FindOutcome::Silent:
        return "нет ответа";
    case FindOutcome::Lost:
        return "связь потеряна";
    case FindOutcome::PortFailed:
        break;
    }
    return "порт не открылся: " + port_open_error_text(p.port_error);
}

std::string find_lines(const std::vector<FoundPort>& ports)
{
    std::string lines;
    for (const bool first : {true, false}) {
        for (const FoundPort& p : ports) {
            if (answered(p) == first)
                lines += p.port + ": " + find_result(p) + '\n';
        }
    }
    return lines;
}

std::string find_summary(const std::vector<FoundPort>& ports)
{
    const std::string code = "; код возврата " + std::to_string(find_exit_code(ports));
    if (ports.empty())
        return "Итог: последовательных портов нет" + code;
    std::string text = "Итог: опрошено портов: " + std::to_string(ports.size()) + "; ";
    const std::vector<std::string> names = answered_names(ports);
    if (names.empty())
        return text + "устройство не найдено ни на одном (кабель и переходник проверяет zuzo port test)" +
               code;
    text += "устройство найдено на ";
    for (std::size_t k = 0; k < names.size(); ++k)
        text += (k == 0 ? "" : ", ") + names[k];
    return text + code;
}

int find_exit_code(const std::vector<FoundPort>& ports)
{
    return answered_names(ports).empty() ? EXIT_DEVICE : EXIT_OK;
}

json::Value find_to_json(const std::vector<FoundPort>& ports)
{
    json::Value list = json::Value::array();
    for (const FoundPort& p : ports) {
        json::Value v = json::Value::object();
        v["port"] = p.port;
        v["outcome"] = outcome_name(p.outcome);
        if (p.outcome == FindOutcome::Found) {
            v["device_type"] = or_null(p.device_type);
            v["supported"] = supported(p);
            v["optical_sensor_on"] = or_null(p.sensor_on);
            v["illuminance"] = or_null(p.illuminance);
            v["clock"] = p.clock.empty() ? json::Value(nullptr) : json::Value(p.clock);
            v["clock_offset"] = or_null(p.clock_offset);
        }
        if (p.outcome == FindOutcome::PortFailed)
            v["port_error"] = port_open_error_name(p.port_error);
        v["result"] = find_result(p);
        list.push_back(std::move(v));
    }
    json::Value v = json::Value::object();
    v["ports"] = std::move(list);
    v["found"] = answered_names(ports);
    v["outcome"] = find_exit_code(ports) == EXIT_OK ? "found" : "not_found";
    v["result"] = find_summary(ports);
    v["exit_code"] = find_exit_code(ports);
    return v;
}

} // namespace zuzo::cli
