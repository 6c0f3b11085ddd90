#include "tools/zuzo/device_commands.h"

#include "link/exchange.h"
#include "link/optics_bytes.h"
#include "link/port_names.h"
#include "link/serial_link.h"
#include "plans/plan_check.h"
#include "program/optics_rules.h"
#include "program/ptm_format.h"
#include "tools/zuzo/json.h"
#include "tools/zuzo/json_program.h"
#include "tools/zuzo/optics_compare.h"
#include "tools/zuzo/ptm_commands.h"
#include "tools/zuzo/ptm_files.h"

#include <QCoreApplication>

#include <array>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

namespace zuzo::cli {
namespace {

constexpr int EXIT_DEVICE = 1;
constexpr int EXIT_DIFFERS = 3; // verify: the device holds other optics than the file

// Answers every EEPROM fault question the same way, and remembers that one
// was asked.
class FixedFaultPrompt : public FaultPrompt {
public:
    explicit FixedFaultPrompt(FaultAnswer answer) : answer_(answer) {}
    FaultAnswer ask(const FaultQuestion& q) override
    {
        ++asked;
        if (!q.offers_cancel && answer_ != FaultAnswer::Yes)
            return FaultAnswer::No; // a write offers no skip: No breaks
        return answer_;
    }
    int asked = 0;

private:
    FaultAnswer answer_;
};

struct Options {
    std::string command;
    std::string port;
    std::string into;
    std::vector<std::string> files;
    FaultAnswer on_fault = FaultAnswer::Cancel;
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
        } else if (a.rfind("--", 0) == 0) {
            return "неизвестный параметр " + a;
        } else {
            o.files.push_back(a);
        }
    }
    if (o.port.empty())
        return "нужен --port COMn или --port ПУТЬ";
    const bool takes_file = o.command == "write" || o.command == "verify";
    if (o.command != "status" && o.command != "read" && !takes_file)
        return "неизвестная команда " + o.command;
    if (takes_file && o.files.size() != 1)
        return o.command + " принимает один файл программы";
    if (!takes_file && !o.files.empty())
        return "лишний аргумент " + o.files.front();
    if (o.command != "read" && !o.into.empty())
        return "--into относится только к read";
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

// Reports a command that did not succeed; true when it did.
bool succeeded(const AttemptOutcome& o, std::uint8_t code, std::ostream& err)
{
    if (o.result == ExchangeResult::EXCHANGE_DONE)
        return true;
    err << "команда " << hex_pair(code) << " не выполнена (попыток: " << o.attempts
        << "): " << result_text(o.result) << '\n';
    return false;
}

bool read_command(SerialLink& link, FaultPrompt& prompt, ReplyArray& reply, std::uint8_t code,
                  std::ostream& err)
{
    return succeeded(run_attempts([&] { return read_exchange(link, prompt, reply, code); }), code, err);
}

bool write_command(SerialLink& link, FaultPrompt& prompt, std::uint8_t code, const WriteParams& params,
                   std::ostream& err)
{
    return succeeded(run_attempts([&] { return write_exchange(link, prompt, code, params); }), code, err);
}

std::string two_digits(int v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

int status(SerialLink& link, FaultPrompt& prompt, const Options& o, std::ostream& out, std::ostream& err)
{
    ReplyArray id{};
    if (!read_command(link, prompt, id, CMD_STATUS, err))
        return EXIT_DEVICE;
    json::Value v = json::Value::object();
    v["port"] = o.port;
    v["device_type"] = id[1];
    v["supported"] = id[1] == DEVICE_TYPE_CODE;
    v["optical_sensor_on"] = id[4] == 0;
    v["illuminance"] = static_cast<std::int64_t>(id[3]) * 256 + id[2];
    // The device answers the next status with its clock.
    ReplyArray clock{};
    if (!read_command(link, prompt, clock, CMD_STATUS, err))
        return EXIT_DEVICE;
    const bool valid = clock[2] <= 59 && clock[3] <= 59 && clock[4] <= 24 && clock[5] >= 1 && clock[5] <= 7 &&
                       clock[6] >= 1 && clock[6] <= 31 && clock[7] >= 1 && clock[7] <= 12;
    if (valid) {
        v["clock"] = std::to_string(2000 + clock[8]) + "-" + two_digits(clock[7]) + "-" + two_digits(clock[6]) +
                     " " + two_digits(clock[4]) + ":" + two_digits(clock[3]) + ":" + two_digits(clock[2]);
        v["weekday"] = clock[5];
    } else {
        v["clock"] = nullptr;
    }
    out << json::write(v);
    if (id[1] != DEVICE_TYPE_CODE) {
        err << "тип устройства " << id[1] << " не поддерживается\n";
        return EXIT_DEVICE;
    }
    return EXIT_OK;
}

int read_program(SerialLink& link, FaultPrompt& prompt, const Options& o, std::ostream& out,
                 std::ostream& err)
{
    DeviceProgram program;
    if (!o.into.empty() && !load_program_file(o.into, program, err))
        return EXIT_ERROR;
    for (std::uint8_t code : {CMD_READ_OPTICS_A, CMD_READ_OPTICS_B, CMD_READ_OPTICS_C}) {
        ReplyArray reply{};
        if (!read_command(link, prompt, reply, code, err))
            return EXIT_DEVICE;
        store_optics_reply(program, code, reply);
    }
    out << json::write(optics_to_json(program));
    if (!o.into.empty() && write_whole_file_atomically(o.into, write_ptm(program)) != FileStatus::Done) {
        report_file_problem(err, o.into, kWriteFailed);
        return EXIT_ERROR;
    }
    return EXIT_OK;
}

// True when every optics rule and every weekday's plan check passes.
bool program_sound(const DeviceProgram& program, std::ostream& err)
{
    bool sound = true;
    if (!optics_sound(run_optics_rules(program))) {
        err << "настройки оптики нарушают правила (подробно: zuzo ptm check)\n";
        sound = false;
    }
    for (int day = 1; day <= kDays; ++day) {
        if (check_plan_day(program, day) != PlanFault::None) {
            err << "план дня «" << weekday_names()[static_cast<std::size_t>(day - 1)]
                << "» не проходит проверку\n";
            sound = false;
        }
    }
    return sound;
}

int write_program(SerialLink& link, FaultPrompt& prompt, const DeviceProgram& program, std::ostream& err)
{
    const OpticsBytes bytes = optics_write_bytes(program);
    if (!write_command(link, prompt, CMD_WRITE_OPTICS_A, write_a_params(bytes), err) ||
        !write_command(link, prompt, CMD_WRITE_OPTICS_B, write_b_params(bytes), err))
        return EXIT_DEVICE;
    return EXIT_OK;
}

// Reads the optics with the three read commands and compares them with what
// a write of the program would send. Sends no write command.
int verify_program(SerialLink& link, FaultPrompt& prompt, const DeviceProgram& program, std::ostream& out,
                   std::ostream& err)
{
    const std::array<std::uint8_t, 3> codes = {CMD_READ_OPTICS_A, CMD_READ_OPTICS_B, CMD_READ_OPTICS_C};
    std::array<ReplyArray, 3> replies{};
    for (std::size_t k = 0; k < codes.size(); ++k) {
        if (!read_command(link, prompt, replies[k], codes[k], err))
            return EXIT_DEVICE;
    }
    const std::vector<OpticsDifference> differences =
        optics_differences(program, device_optics_bytes(replies[0], replies[1], replies[2]));
    if (differences.empty()) {
        out << "Настройки оптики в устройстве совпадают с файлом\n";
        return EXIT_OK;
    }
    out << "Настройки оптики в устройстве отличаются от файла:\n";
    for (const OpticsDifference& d : differences)
        out << "  " << d.field << ": в файле " << d.file_value << ", в устройстве " << d.device_value << '\n';
    return EXIT_DIFFERS;
}

} // namespace

const char* device_usage()
{
    return "  zuzo device status --port COMn|ПУТЬ\n"
           "  zuzo device read --port COMn|ПУТЬ [--into ФАЙЛ.ptm]\n"
           "  zuzo device write --port COMn|ПУТЬ ФАЙЛ.ptm\n"
           "  zuzo device verify --port COMn|ПУТЬ ФАЙЛ.ptm\n"
           "    у каждой --on-eeprom-fault=repeat|skip|break (по умолчанию break)\n";
}

int run_device_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options o;
    const std::string problem = parse(args, o);
    if (!problem.empty())
        return usage(err, problem);

    DeviceProgram to_write; // also the program that verify compares
    if (o.command == "verify" && !load_program_file(o.files[0], to_write, err))
        return EXIT_ERROR;
    if (o.command == "write") {
        if (!load_program_file(o.files[0], to_write, err))
            return EXIT_ERROR;
        if (!program_sound(to_write, err)) {
            err << "запись отклонена: ничего не отправлено\n";
            return EXIT_DEVICE;
        }
    }

    DeviceSession session;
    SerialLink& link = session.link();
    if (!link.open_link(QString::fromStdString(o.port))) {
        err << o.port << ": не удалось открыть порт\n";
        return EXIT_DEVICE;
    }
    FixedFaultPrompt prompt(o.on_fault);
    int code = EXIT_OK;
    if (o.command == "status")
        code = status(link, prompt, o, out, err);
    else if (o.command == "read")
        code = read_program(link, prompt, o, out, err);
    else if (o.command == "verify")
        code = verify_program(link, prompt, to_write, out, err);
    else
        code = write_program(link, prompt, to_write, err);
    link.close_link();
    return code;
}

int run_device_command(const std::vector<std::string>& args)
{
    return run_device_command(args, std::cout, std::cerr);
}

} // namespace zuzo::cli
