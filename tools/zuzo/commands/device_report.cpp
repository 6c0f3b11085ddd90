#include "tools/zuzo/commands/device_report.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <cstdint>
#include <iterator>
#include <ostream>

namespace zuzo::cli {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The header rows of the layouts, without the byte order mark.
constexpr std::string_view kFirstHeader = "Дата и время;Порт;Тип устройства;Часы устройства;Команда;"
                                          "Файл программы;SHA-256 оптики;Результат;Код возврата";
constexpr std::string_view kClockOffsetHeader =
    "Дата и время;Порт;Тип устройства;Часы устройства;Расхождение часов, с;Команда;Файл программы;"
    "SHA-256 оптики;Результат;Код возврата";

// A field of the semicolon table: quoted when it holds a separator, a quote
// or a line break, inner quotes doubled.
std::string csv_field(const std::string& text)
{
    if (text.find_first_of(";\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (const char ch : text) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    return out + "\"";
}

} // namespace

const char* outcome_name(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::Done:
        return "done";
    case RunOutcome::Differs:
        return "differs";
    case RunOutcome::Unsupported:
        return "unsupported";
    case RunOutcome::DeviceFailed:
        return "device_failed";
    case RunOutcome::LinkBroken:
        return "link_broken";
    case RunOutcome::EepromFault:
        return "eeprom_fault";
    case RunOutcome::Refused:
        return "refused";
    case RunOutcome::PortFailed:
        return "port_failed";
    case RunOutcome::FileFailed:
        return "file_failed";
    case RunOutcome::JournalFailed:
        return "journal_failed";
    case RunOutcome::ClockOff:
        return "clock_offset";
    case RunOutcome::Stopped:
        return "stopped";
    }
    return "unknown";
}

std::string signed_seconds(long long seconds)
{
    std::string text(seconds > 0 ? "+" : "");
    text += std::to_string(seconds);
    return text;
}

json::Value run_to_json(const DeviceRun& run)
{
    json::Value v = json::Value::object();
    v["port"] = run.port;
    v["device_type"] = run.device_type ? json::Value(*run.device_type) : json::Value(nullptr);
    v["clock"] = run.clock.empty() ? json::Value(nullptr) : json::Value(run.clock);
    v["clock_offset"] = run.clock_offset ? json::Value(*run.clock_offset) : json::Value(nullptr);
    for (const auto& member : run.details.items())
        v[member.key()] = member.value();
    if (run.command == "write") {
        v["holds"] = holds_name(run.holding.holds);
        v["holds_read_back"] = run.holding.read_back;
    }
    if (run.command == "verify" || run.verify_after_write) {
        json::Value list = json::Value::array();
        for (const FieldDifference& d : run.differences)
            list.push_back({{"field", d.field}, {"file", d.file_value}, {"device", d.device_value}});
        v["differences"] = std::move(list);
    }
    if (!run.optics_sha256.empty())
        v["optics_sha256"] = run.optics_sha256;
    v["outcome"] = outcome_name(run.outcome);
    v["result"] = run.result;
    v["exit_code"] = run.exit_code;
    return v;
}

json::Value usage_to_json(const std::string& port, const std::string& problem)
{
    json::Value v = json::Value::object();
    v["port"] = port.empty() ? json::Value(nullptr) : json::Value(port);
    v["outcome"] = "usage";
    v["result"] = problem;
    v["exit_code"] = 2;
    return v;
}

std::string journal_first_rows()
{
    return std::string(kBom) + std::string(kClockOffsetHeader) + "\r\n";
}

std::string journal_row(const DeviceRun& run, const std::string& local_time, JournalLayout layout)
{
    std::vector<std::string> fields = {local_time,
                                       run.port,
                                       run.device_type ? std::to_string(*run.device_type) : std::string(),
                                       run.clock,
                                       run.command + (run.verify_after_write ? " --verify" : ""),
                                       run.program_file,
                                       run.optics_sha256,
                                       run.result,
                                       std::to_string(run.exit_code)};
    if (layout == JournalLayout::ClockOffset)
        fields.insert(fields.begin() + 4,
                      run.clock_offset ? signed_seconds(*run.clock_offset) : std::string());
    std::string row;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0)
            row += ';';
        row += csv_field(fields[k]);
    }
    return row + "\r\n";
}

std::optional<JournalLayout> journal_layout(std::string_view bytes)
{
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    const std::string_view header = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (header == kClockOffsetHeader)
        return JournalLayout::ClockOffset;
    if (header == kFirstHeader)
        return JournalLayout::First;
    return std::nullopt;
}

// The result told without --json: the command's own output on out, a
// failure on err naming the port (file problems name their file).
void print_plain(const DeviceRun& d, std::ostream& out, std::ostream& err)
{
    // A status with values skipped on an EEPROM fault still shows what is
    // known; the unknown values are null.
    const bool clock_off = d.outcome == RunOutcome::ClockOff; // the command itself succeeded
    const bool status_known = d.device_type || d.outcome == RunOutcome::EepromFault;
    if (d.command == "status" && status_known && d.details.contains("supported") &&
        (d.outcome == RunOutcome::Done || d.outcome == RunOutcome::Unsupported ||
         d.outcome == RunOutcome::EepromFault || clock_off)) {
        json::Value v = json::Value::object();
        v["port"] = d.port;
        v["device_type"] = d.device_type ? json::Value(*d.device_type) : json::Value(nullptr);
        for (const auto& member : d.details.items())
            if (member.key() != "weekday" && member.key() != "eeprom_fault")
                v[member.key()] = member.value();
        v["clock"] = d.clock.empty() ? json::Value(nullptr) : json::Value(d.clock);
        v["clock_offset"] = d.clock_offset ? json::Value(*d.clock_offset) : json::Value(nullptr);
        if (!d.clock.empty() || d.outcome == RunOutcome::EepromFault)
            v["weekday"] = d.details.at("weekday");
        out << json::write(v);
    }
    if (d.command == "read" && d.outcome == RunOutcome::Done)
        out << json::write(d.details.at("optics"));
    if (d.command == "write" && (d.outcome == RunOutcome::Done || (clock_off && d.verified)))
        out << d.port << ": "
            << (clock_off ? "настройки оптики записаны и прочитаны обратно: совпадают с файлом" : d.result)
            << " (тип устройства " << *d.device_type << ", часы устройства "
            << (d.clock.empty() ? std::string("неизвестны") : d.clock) << ")\n";
    const bool compared = d.command == "verify" || d.verify_after_write;
    if (compared && (d.outcome == RunOutcome::Differs ||
                     (d.command == "verify" && (d.outcome == RunOutcome::Done || clock_off)))) {
        out << (d.differences.empty() ? "Настройки оптики в устройстве совпадают с файлом\n"
                                      : "Настройки оптики в устройстве отличаются от файла:\n");
        for (const FieldDifference& f : d.differences)
            out << "  " << f.field << ": в файле " << f.file_value << ", в устройстве " << f.device_value
                << '\n';
    }
    if (d.exit_code == 0 || (d.exit_code == 3 && d.command == "verify"))
        return;
    if (d.outcome == RunOutcome::FileFailed || d.outcome == RunOutcome::JournalFailed)
        err << d.result << '\n';
    else
        err << d.port << ": " << d.result << '\n';
}

std::string sha256_hex(const std::vector<std::uint8_t>& bytes)
{
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex().toStdString();
}

} // namespace zuzo::cli
