#include "tools/zuzo/device_commands.h"

#include "link/exchange.h"
#include "link/optics_bytes.h"
#include "link/port_names.h"
#include "link/serial_link.h"
#include "plans/plan_check.h"
#include "program/optics_range.h"
#include "program/optics_rules.h"
#include "program/ptm_format.h"
#include "tools/zuzo/device_report.h"
#include "tools/zuzo/journal_file.h"
#include "tools/zuzo/json.h"
#include "tools/zuzo/json_program.h"
#include "tools/zuzo/optics_compare.h"
#include "tools/zuzo/ptm_commands.h"
#include "tools/zuzo/ptm_files.h"
#include "tools/zuzo/same_file.h"

#include <QCoreApplication>
#include <QDateTime>

#include <array>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

namespace zuzo::cli {
namespace {

constexpr int EXIT_DEVICE = 1;
constexpr int EXIT_DIFFERS = 3; // verify: the device holds other optics than the file

// Answers every EEPROM fault question the same way.
class FixedFaultPrompt : public FaultPrompt {
public:
    explicit FixedFaultPrompt(FaultAnswer answer) : answer_(answer) {}
    FaultAnswer ask(const FaultQuestion& q) override
    {
        if (!q.offers_cancel && answer_ != FaultAnswer::Yes)
            return FaultAnswer::No; // a write offers no skip: No breaks
        return answer_;
    }

private:
    FaultAnswer answer_;
};

struct Options {
    std::string command;
    std::string port;
    std::string into;
    std::string journal;
    std::vector<std::string> files;
    FaultAnswer on_fault = FaultAnswer::Cancel;
    bool json = false;
};

int usage(std::ostream& err, const std::string& problem)
{
    if (!problem.empty())
        err << "zuzo device: " << problem << '\n';
    err << "Использование:\n" << device_usage();
    return EXIT_ERROR;
}

std::optional<FaultAnswer> fault_answer(const std::string& word)
{
    if (word == "repeat")
        return FaultAnswer::Yes;
    if (word == "skip")
        return FaultAnswer::No;
    if (word == "break")
        return FaultAnswer::Cancel;
    return std::nullopt;
}

// Empty text when the words are good; the problem otherwise.
std::string parse(const std::vector<std::string>& args, Options& o)
{
    if (args.empty())
        return "нужна команда";
    o.command = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool has_next = i + 1 < args.size();
        if (a == "--port" && has_next) {
            o.port = args[++i];
        } else if (a == "--into" && has_next) {
            o.into = args[++i];
        } else if (a == "--journal" && has_next) {
            o.journal = args[++i];
        } else if (a == "--json") {
            o.json = true;
        } else if (a.rfind("--on-eeprom-fault", 0) == 0) {
            std::string value;
            if (a.size() > 17 && a[17] == '=')
                value = a.substr(18);
            else if (a.size() == 17 && has_next)
                value = args[++i];
            const std::optional<FaultAnswer> answer = fault_answer(value);
            if (!answer)
                return "--on-eeprom-fault принимает repeat, skip или break";
            o.on_fault = *answer;
        } else if (a == "--port" || a == "--into" || a == "--journal") {
            return "после " + a + " нужно значение";
        } else if (a.size() > 1 && a[0] == '-') {
            return "неизвестный параметр " + a;
        } else {
            o.files.push_back(a);
        }
    }
    const bool takes_file = o.command == "write" || o.command == "verify";
    if (o.command != "status" && o.command != "read" && !takes_file)
        return "неизвестная команда " + o.command;
    if (o.port.empty())
        return "нужен --port COMn или --port ПУТЬ";
    if (takes_file && o.files.size() != 1)
        return o.command + " принимает один файл программы";
    if (!takes_file && !o.files.empty())
        return "лишний аргумент " + o.files.front();
    if (o.command != "read" && !o.into.empty())
        return "--into относится только к read";
    if (o.command == "status" && !o.journal.empty())
        return "--journal относится к read, write и verify";
    for (const std::string& file : {o.into, o.files.empty() ? std::string() : o.files[0]}) {
        if (!o.journal.empty() && !file.empty() && same_file(file, o.journal))
            return "журнал " + o.journal + " — тот же файл, что и " + file + "; ничего не записано";
    }
    return {};
}

// The link for one command; the Qt core application it needs is made here
// when the program has none.
class DeviceSession {
public:
    DeviceSession()
    {
        if (QCoreApplication::instance() == nullptr)
            app_ = std::make_unique<QCoreApplication>(argc_, argv_);
        link_ = std::make_unique<SerialLink>(virtual_port_folder());
    }
    SerialLink& link() { return *link_; }

private:
    int argc_ = 1;
    char name_[5] = "zuzo";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
    std::unique_ptr<SerialLink> link_;
};

const char* result_text(ExchangeResult r)
{
    switch (r) {
    case ExchangeResult::EXCHANGE_DONE:
        return "выполнена";
    case ExchangeResult::EXCHANGE_BROKEN:
        return "связь потеряна или прервана";
    case ExchangeResult::EXCHANGE_STALLED:
        return "обмен не завершился вовремя";
    case ExchangeResult::EXCHANGE_FAILED:
        return "устройство не отвечает или отказывает";
    }
    return "неизвестный результат";
}

// A command in words with its code, e.g. "запись оптики, часть 1 (0A)".
std::string command_words(std::uint8_t code)
{
    struct Words {
        std::uint8_t code;
        const char* words;
    };
    static constexpr Words kWords[] = {
        {CMD_STATUS, "запрос состояния"},
        {CMD_READ_OPTICS_A, "чтение оптики, часть 1"},
        {CMD_READ_OPTICS_B, "чтение оптики, часть 2"},
        {CMD_READ_OPTICS_C, "чтение оптики, часть 3"},
        {CMD_WRITE_OPTICS_A, "запись оптики, часть 1"},
        {CMD_WRITE_OPTICS_B, "запись оптики, часть 2"},
    };
    for (const Words& w : kWords) {
        if (w.code == code)
            return std::string(w.words) + " (" + hex_pair(code) + ")";
    }
    return "команда " + hex_pair(code);
}

std::string two_digits(int v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

// One run: the options, the record of what happened, the link.
struct Run {
    const Options& o;
    DeviceRun record;
    SerialLink* link = nullptr;
    FixedFaultPrompt prompt;
    int writes_done = 0; // write commands the device acknowledged

    explicit Run(const Options& options) : o(options), prompt(options.on_fault) {}

    // Records how the run ends; false, so that a failing step can end with
    // "return finish(...)".
    bool finish(RunOutcome outcome, int exit_code, std::string result)
    {
        record.outcome = outcome;
        record.exit_code = exit_code;
        record.result = std::move(result);
        return false;
    }

    bool succeeded(const AttemptOutcome& a, std::uint8_t code)
    {
        if (a.result == ExchangeResult::EXCHANGE_DONE)
            return true;
        return finish(a.result == ExchangeResult::EXCHANGE_BROKEN ? RunOutcome::LinkBroken
                                                                  : RunOutcome::DeviceFailed,
                      EXIT_DEVICE,
                      command_words(code) + ": команда не выполнена (попыток: " + std::to_string(a.attempts) +
                          "): " + result_text(a.result));
    }

    bool read_command(ReplyArray& reply, std::uint8_t code)
    {
        return succeeded(run_attempts([&] { return read_exchange(*link, prompt, reply, code); }), code);
    }

    bool write_command(std::uint8_t code, const WriteParams& params)
    {
        return succeeded(run_attempts([&] { return write_exchange(*link, prompt, code, params); }), code);
    }

    // Reads and decodes a program file; the tool's message is the result.
    bool load(const std::string& path, DeviceProgram& program)
    {
        std::ostringstream message;
        if (load_program_file(path, program, message))
            return true;
        std::string text = message.str();
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return finish(RunOutcome::FileFailed, EXIT_ERROR, text);
    }
};

// The status exchange as the tool's connect makes it: the first answer
// identifies the device, the next one carries its clock.
bool identify(Run& r)
{
    ReplyArray id{};
    if (!r.read_command(id, CMD_STATUS))
        return false;
    r.record.device_type = id[1];
    const bool supported = id[1] == DEVICE_TYPE_CODE;
    const std::string unsupported = "тип устройства " + std::to_string(id[1]) + " не поддерживается";
    if (!supported && r.o.command != "status")
        return r.finish(RunOutcome::Unsupported, EXIT_DEVICE,
                        unsupported +
                            (r.o.command == "write" ? "; ничего не записано" : "; ничего не прочитано"));
    if (r.o.command == "status") {
        r.record.details["supported"] = supported;
        r.record.details["optical_sensor_on"] = id[4] == 0;
        r.record.details["illuminance"] = static_cast<std::int64_t>(id[3]) * 256 + id[2];
    }
    ReplyArray clock{};
    if (!r.read_command(clock, CMD_STATUS))
        return false;
    const bool valid = clock[2] <= 59 && clock[3] <= 59 && clock[4] <= 24 && clock[5] >= 1 && clock[5] <= 7 &&
                       clock[6] >= 1 && clock[6] <= 31 && clock[7] >= 1 && clock[7] <= 12;
    if (valid)
        r.record.clock = std::to_string(2000 + clock[8]) + "-" + two_digits(clock[7]) + "-" +
                         two_digits(clock[6]) + " " + two_digits(clock[4]) + ":" + two_digits(clock[3]) +
                         ":" + two_digits(clock[2]);
    if (r.o.command == "status")
        r.record.details["weekday"] = valid ? json::Value(clock[5]) : json::Value(nullptr);
    if (!supported)
        return r.finish(RunOutcome::Unsupported, EXIT_DEVICE, unsupported);
    return true;
}

// The three optics reads; the 22 bytes they give, in the order of a write.
bool read_optics(Run& r, std::array<ReplyArray, 3>& replies)
{
    const std::array<std::uint8_t, 3> codes = {CMD_READ_OPTICS_A, CMD_READ_OPTICS_B, CMD_READ_OPTICS_C};
    for (std::size_t k = 0; k < codes.size(); ++k) {
        if (!r.read_command(replies[k], codes[k]))
            return false;
    }
    const OpticsBytes held = device_optics_bytes(replies[0], replies[1], replies[2]);
    r.record.optics_sha256 = sha256_hex(std::vector<std::uint8_t>(held.begin(), held.end()));
    return true;
}

bool read_program(Run& r, DeviceProgram& program)
{
    std::array<ReplyArray, 3> replies{};
    if (!read_optics(r, replies))
        return false;
    store_optics_reply(program, CMD_READ_OPTICS_A, replies[0]);
    store_optics_reply(program, CMD_READ_OPTICS_B, replies[1]);
    store_optics_reply(program, CMD_READ_OPTICS_C, replies[2]);
    r.record.details["optics"] = optics_to_json(program);
    if (!r.o.into.empty() && write_whole_file_atomically(r.o.into, write_ptm(program)) != FileStatus::Done) {
        std::string message = kWriteFailed;
        while (message.back() == '\n')
            message.pop_back();
        return r.finish(RunOutcome::FileFailed, EXIT_ERROR, r.o.into + ": " + message);
    }
    return r.finish(RunOutcome::Done, EXIT_OK,
                    r.o.into.empty() ? "настройки оптики прочитаны"
                                     : "настройки оптики прочитаны в " + r.o.into);
}

// The problems that refuse a write: any optics rule or weekday plan check.
std::string write_refusal(const DeviceProgram& program)
{
    std::string problems;
    if (const std::optional<std::string> inexact = first_inexact_optics_value(program))
        problems = *inexact; // so the rules judge exactly the values sent
    else if (!optics_sound(run_optics_rules(program)))
        problems = "настройки оптики нарушают правила (подробно: zuzo ptm check)";
    for (int day = 1; day <= kDays; ++day) {
        if (check_plan_day(program, day) != PlanFault::None)
            problems += std::string(problems.empty() ? "" : "; ") + "план дня «" +
                        weekday_names()[static_cast<std::size_t>(day - 1)] + "» не проходит проверку";
    }
    return problems;
}

bool write_program(Run& r, const DeviceProgram& program)
{
    const std::optional<OpticsBytes> encoded = optics_write_bytes(program);
    if (!encoded) // write_refusal lets through only programs that travel exactly
        return r.finish(RunOutcome::Refused, EXIT_DEVICE, "запись отклонена: ничего не отправлено");
    const OpticsBytes& bytes = *encoded;
    r.record.optics_sha256 = sha256_hex(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    if (!r.write_command(CMD_WRITE_OPTICS_A, write_a_params(bytes)))
        return false;
    r.writes_done = 1;
    if (!r.write_command(CMD_WRITE_OPTICS_B, write_b_params(bytes))) {
        r.record.result += "; часть 1 уже записана в устройство";
        return false;
    }
    r.writes_done = 2;
    return r.finish(RunOutcome::Done, EXIT_OK, "настройки оптики записаны");
}

// Reads the optics and compares them with what a write of the program would
// send. Sends no write command.
bool verify_program(Run& r, const DeviceProgram& program)
{
    std::array<ReplyArray, 3> replies{};
    if (!read_optics(r, replies))
        return false;
    for (const OpticsDifference& d :
         optics_differences(program, device_optics_bytes(replies[0], replies[1], replies[2])))
        r.record.differences.push_back({d.field, d.file_value, d.device_value});
    if (r.record.differences.empty())
        return r.finish(RunOutcome::Done, EXIT_OK, "настройки оптики в устройстве совпадают с файлом");
    return r.finish(RunOutcome::Differs, EXIT_DIFFERS,
                    "настройки оптики в устройстве отличаются от файла (полей: " +
                        std::to_string(r.record.differences.size()) + ")");
}

// Everything that touches the device, once the journal is open.
void run_command(Run& r)
{
    DeviceProgram program; // the file's program: written, compared or read into
    const std::string file = r.o.files.empty() ? r.o.into : r.o.files[0];
    r.record.program_file = file;
    if (!file.empty() && !r.load(file, program))
        return;
    if (r.o.command == "write") {
        const std::string refusal = write_refusal(program);
        if (!refusal.empty()) {
            r.finish(RunOutcome::Refused, EXIT_DEVICE, refusal + "; запись отклонена: ничего не отправлено");
            return;
        }
    }
    DeviceSession session;
    r.link = &session.link();
    if (!r.link->open_link(QString::fromStdString(r.o.port))) {
        r.finish(RunOutcome::PortFailed, EXIT_DEVICE, "не удалось открыть порт");
        return;
    }
    if (identify(r)) {
        if (r.o.command == "status")
            r.finish(RunOutcome::Done, EXIT_OK, "устройство готово");
        else if (r.o.command == "read")
            read_program(r, program);
        else if (r.o.command == "verify")
            verify_program(r, program);
        else
            write_program(r, program);
    }
    r.link->close_link();
}

std::filesystem::path path_of_utf8(const std::string& name)
{
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

} // namespace

const char* device_usage()
{
    return "  zuzo device status --port COMn|ПУТЬ [--json]\n"
           "  zuzo device read --port COMn|ПУТЬ [--into ФАЙЛ.ptm] [--json] [--journal ЖУРНАЛ.csv]\n"
           "  zuzo device write --port COMn|ПУТЬ ФАЙЛ.ptm [--json] [--journal ЖУРНАЛ.csv]\n"
           "  zuzo device verify --port COMn|ПУТЬ ФАЙЛ.ptm [--json] [--journal ЖУРНАЛ.csv]\n"
           "    у каждой --on-eeprom-fault=repeat|skip|break (по умолчанию break)\n";
}

int run_device_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options o;
    const std::string problem = parse(args, o);
    if (!problem.empty())
        return usage(err, problem);

    Run r(o);
    r.record.command = o.command;
    r.record.port = o.port;
    // The journal opens before anything else happens: a run it cannot
    // record sends nothing.
    JournalFile journal;
    if (!o.journal.empty() && !journal.open(path_of_utf8(o.journal), journal_first_rows())) {
        r.finish(RunOutcome::JournalFailed, EXIT_ERROR,
                 o.journal + ": журнал не открывается для дописывания; устройство не затронуто");
    } else {
        run_command(r);
        const std::string now =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
        if (!o.journal.empty() && !journal.append(journal_row(r.record, now))) {
            if (!o.json)
                print_plain(r.record, out, err); // what the device did, then what the journal lost
            const bool changed = r.writes_done > 0;
            r.finish(RunOutcome::JournalFailed, EXIT_ERROR,
                     o.journal + ": строку журнала записать не удалось" +
                         (changed ? "; настройки оптики в устройство на " + o.port + " при этом записаны" +
                                        (r.writes_done == 1 ? " частично" : "")
                                  : std::string("; устройство не изменено")));
            if (o.json)
                out << json::write(run_to_json(r.record));
            else
                err << r.record.result << '\n';
            return r.record.exit_code;
        }
    }
    if (o.json)
        out << json::write(run_to_json(r.record));
    else
        print_plain(r.record, out, err);
    return r.record.exit_code;
}

int run_device_command(const std::vector<std::string>& args)
{
    return run_device_command(args, std::cout, std::cerr);
}

} // namespace zuzo::cli
