#include "tools/zuzo/commands/device_session.h"

#include "link/core/clock_offset.h"
#include "link/core/exchange.h"
#include "link/core/optics_bytes.h"
#include "link/core/optics_transfer.h"
#include "link/core/port_names.h"
#include "link/core/port_open_error.h"
#include "link/core/status_reply.h"
#include "link/serial/serial_link.h"
#include "plans/core/plan_check.h"
#include "program/core/optics_range.h"
#include "program/core/optics_rules.h"
#include "program/core/ptm_optics_patch.h"
#include "tools/zuzo/commands/command_checks.h"
#include "tools/zuzo/commands/file_kinds.h"
#include "tools/zuzo/commands/optics_compare.h"
#include "tools/zuzo/core/command_files.h"
#include "tools/zuzo/core/exit_codes.h"
#include "tools/zuzo/core/interrupt.h"
#include "tools/zuzo/json/json.h"
#include "tools/zuzo/json/json_program.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <optional>
#include <sstream>
#include <utility>

namespace zuzo::cli {
namespace {

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
        return "устройство не отвечает или отвечает неверно";
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
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

// One run: the options, the record of what happened, the link.
struct Run {
    const DeviceOptions& o;
    const StopCheck& stop;
    DeviceRun record;
    SerialLink* link = nullptr;
    OptionFaultPrompt prompt;
    bool skipped = false;                 // the last read's data was skipped on an EEPROM fault
    std::string skip_note;                // what the device said then, and the answer
    std::vector<std::uint8_t> into_bytes; // read --into: the file as it was
    bool frame_out = false;               // a write frame went out on an open link

    Run(const DeviceOptions& options, const std::string& port, const StopCheck& stop_check)
        : o(options), stop(stop_check), prompt(options.on_fault)
    {
        record.command = o.command;
        record.verify_after_write = o.verify_after_write;
        record.port = port;
    }

    // Records how the run ends; false, so that a failing step can end with
    // "return finish(...)".
    bool finish(RunOutcome outcome, int exit_code, std::string result)
    {
        record.outcome = outcome;
        record.exit_code = exit_code;
        record.result = std::move(result);
        return false;
    }

    // What the device said on an EEPROM fault during the command, for the
    // result and the JSON.
    std::string eeprom_words(std::uint8_t code)
    {
        record.details["eeprom_fault"] = {{"fault", prompt.fault_name()},
                                          {"answer", fault_answer_word(prompt.option())}};
        return command_words(code) + ": устройство сообщает: " + prompt.what_the_device_said() +
               "; ответ --on-eeprom-fault=" + fault_answer_word(prompt.option());
    }

    bool succeeded(const AttemptOutcome& a, std::uint8_t code)
    {
        skipped = false;
        if (prompt.asked() && a.result == ExchangeResult::EXCHANGE_DONE) {
            // Only a read can be skipped: its data are not the device's.
            skipped = true;
            skip_note = eeprom_words(code) + ": данные ответа пропущены";
            return true;
        }
        if (a.result == ExchangeResult::EXCHANGE_DONE)
            return true;
        if (stop && stop()) // the attempts ended on Ctrl+C; what the device holds follows
            return finish(RunOutcome::Stopped, EXIT_STOPPED,
                          command_words(code) + ": остановлено по " + interrupt_words());
        if (prompt.asked()) {
            std::string answer = a.result == ExchangeResult::EXCHANGE_BROKEN
                                     ? std::string(": связь разорвана")
                                     : ": попыток " + std::to_string(a.attempts) + ", неисправность осталась";
            if (a.result == ExchangeResult::EXCHANGE_BROKEN && prompt.option() == FaultAnswer::No)
                answer += " (пропуск возможен только при чтении)";
            return finish(RunOutcome::EepromFault, EXIT_DEVICE, eeprom_words(code) + answer);
        }
        return finish(a.result == ExchangeResult::EXCHANGE_BROKEN ? RunOutcome::LinkBroken
                                                                  : RunOutcome::DeviceFailed,
                      EXIT_DEVICE,
                      command_words(code) + ": команда не выполнена (попыток: " + std::to_string(a.attempts) +
                          "): " + result_text(a.result));
    }

    bool read_command(ReplyBytes& reply, std::uint8_t code)
    {
        return succeeded(run_attempts(
                             [&] {
                                 prompt.begin_exchange();
                                 return read_exchange(*link, prompt, reply, code);
                             },
                             stop),
                         code);
    }

    // Each command of an optics transfer under the attempt rule, told as it
    // ends; a read whose data were skipped ends the transfer (skipped). A
    // write frame that meets an open link may reach the device.
    RunTransferStep told_steps()
    {
        return [this](const TransferStep& step) {
            const bool write = step.code == CMD_WRITE_OPTICS_A || step.code == CMD_WRITE_OPTICS_B;
            const AttemptOutcome a = run_attempts(
                [&] {
                    prompt.begin_exchange();
                    frame_out = frame_out || (write && link->is_open());
                    return step.exchange();
                },
                stop);
            if (!succeeded(a, step.code) || skipped)
                return false;
            step.done();
            return true;
        };
    }

    // The reads that learn what the device holds after an unfinished write:
    // nothing is told, and skipped data count as not read. After Ctrl+C each
    // command gets one attempt.
    RunTransferStep read_back_steps()
    {
        return [this](const TransferStep& step) {
            const bool stopped = record.outcome == RunOutcome::Stopped;
            bool tried = false;
            const AttemptOutcome a = run_attempts(
                [&] {
                    prompt.begin_exchange();
                    return step.exchange();
                },
                [&] { return stopped ? std::exchange(tried, true) : stop && stop(); });
            if (a.result != ExchangeResult::EXCHANGE_DONE || prompt.asked())
                return false;
            step.done();
            return true;
        };
    }

    // Reads and decodes a program file; the tool's message is the result.
    bool load(const std::string& path, DeviceProgram& program)
    {
        std::ostringstream message;
        if (load_program_file(path, program, message, ProgramNeeds::WholeOptics))
            return true;
        std::string text = message.str();
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return finish(RunOutcome::FileFailed, EXIT_ERROR, text);
    }

    // read --into: the file is read before the device is touched, and only
    // one whose optics can be replaced in place is taken.
    bool load_into()
    {
        const std::string& path = o.into;
        // Read before the device is asked: never a device, a pipe or a folder.
        if (const std::string refusal = target_refusal(path); !refusal.empty())
            return finish(RunOutcome::FileFailed, EXIT_ERROR,
                          path + ": " + refusal + "; устройство не затронуто");
        if (const FileResult read = read_input(path, into_bytes, InputKind::Program); !read.done())
            return finish(RunOutcome::FileFailed, EXIT_ERROR, path + ": " + read_problem(read, path));
        switch (ptm_optics_patchable(into_bytes)) {
        case OpticsPatch::Done:
            return true;
        case OpticsPatch::NotProgramFile:
            return finish(RunOutcome::FileFailed, EXIT_ERROR,
                          path + ": " + kBadFormat + "; файл не изменен, устройство не затронуто");
        case OpticsPatch::CutShort:
            break;
        }
        return finish(RunOutcome::FileFailed, EXIT_ERROR,
                      path + ": " + ptm_cut_short_words(into_bytes) +
                          "; файл не изменен, устройство не затронуто");
    }

    // "ничего не записано" or "ничего не прочитано".
    std::string nothing_done() const
    {
        return o.command == "write" ? "ничего не записано" : "ничего не прочитано";
    }
};

// The status exchange as the tool's connect makes it: the first answer
// identifies the device, the next one carries its clock. Data skipped on
// an EEPROM fault are unknown, never shown as measured.
bool identify(Run& r)
{
    const bool status = r.o.command == "status";
    ReplyBytes first{};
    if (!r.read_command(first, CMD_STATUS))
        return false;
    const bool known = !r.skipped;
    if (!known && !status)
        return r.finish(RunOutcome::EepromFault, EXIT_DEVICE,
                        r.skip_note + "; устройство не опознано, " + r.nothing_done());
    const DeviceIdentity id = status_identity(first);
    if (known)
        r.record.device_type = id.type_code;
    const bool supported = known && id.supported();
    const std::string unsupported = "тип устройства " + std::to_string(id.type_code) + " не поддерживается";
    if (known && !supported && !status)
        return r.finish(RunOutcome::Unsupported, EXIT_DEVICE, unsupported + "; " + r.nothing_done());
    if (status) {
        const SensorState sensor = status_sensor(first);
        r.record.details["supported"] = known ? json::Value(supported) : json::Value(nullptr);
        r.record.details["optical_sensor_on"] = known ? json::Value(sensor.on) : json::Value(nullptr);
        r.record.details["illuminance"] = known ? json::Value(sensor.illuminance_lux) : json::Value(nullptr);
    }
    std::string note = known ? std::string() : r.skip_note;
    ReplyBytes second{};
    if (!r.read_command(second, CMD_STATUS))
        return false;
    const std::optional<DeviceClock> clock = r.skipped ? std::nullopt : status_clock(second);
    if (clock) // the computer's clock as the reply came
        r.record.clock_offset = clock_offset_seconds(*clock, std::time(nullptr));
    if (r.skipped && note.empty())
        note = r.skip_note;
    if (clock)
        r.record.clock = std::to_string(clock->year) + "-" + two_digits(clock->month) + "-" +
                         two_digits(clock->day) + " " + two_digits(clock->hour) + ":" +
                         two_digits(clock->minute) + ":" + two_digits(clock->second);
    if (status)
        r.record.details["weekday"] = clock ? json::Value(clock->weekday) : json::Value(nullptr);
    if (status && !note.empty())
        return r.finish(RunOutcome::EepromFault, EXIT_DEVICE,
                        note + "; значения, которых устройство не прислало, не показаны");
    if (!supported)
        return r.finish(RunOutcome::Unsupported, EXIT_DEVICE, unsupported);
    return true;
}

// The three replies of an optics read, in the order they came.
using OpticsReplies = std::array<ReplyBytes, 3>;

std::function<void(std::uint8_t, const ReplyBytes&)> keep_in(OpticsReplies& replies)
{
    return [&replies](std::uint8_t code, const ReplyBytes& reply) {
        replies[static_cast<std::size_t>(code - CMD_READ_OPTICS_A)] = reply;
    };
}

std::string optics_hash(const OpticsBytes& bytes)
{
    return sha256_hex(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

OpticsBytes held_bytes(const OpticsReplies& replies)
{
    return device_optics_bytes(replies[0], replies[1], replies[2]);
}

// The three optics reads, told; what_else: added to the message of skipped
// data.
std::optional<OpticsReplies> read_device_optics(Run& r, const std::string& what_else = {})
{
    OpticsReplies replies{};
    if (read_optics(*r.link, r.prompt, r.told_steps(), keep_in(replies)) < 3) {
        if (r.skipped)
            r.finish(RunOutcome::EepromFault, EXIT_DEVICE,
                     r.skip_note + "; настройки оптики не получены" + what_else);
        return std::nullopt;
    }
    r.record.optics_sha256 = optics_hash(held_bytes(replies));
    return replies;
}

bool read_program(Run& r)
{
    const std::optional<OpticsReplies> replies =
        read_device_optics(r, r.o.into.empty() ? std::string() : ", файл не изменен");
    if (!replies)
        return false;
    DeviceProgram program;
    for (const std::uint8_t code : kOpticsReadCodes)
        store_optics_reply(program, code, (*replies)[static_cast<std::size_t>(code - CMD_READ_OPTICS_A)]);
    r.record.details["optics"] = optics_to_json(program);
    if (r.o.into.empty())
        return r.finish(RunOutcome::Done, EXIT_OK, "настройки оптики прочитаны");
    // Only the optics bytes of the file change.
    std::vector<std::uint8_t> patched;
    if (patch_ptm_optics(r.into_bytes, program, patched) != OpticsPatch::Done)
        return r.finish(RunOutcome::FileFailed, EXIT_ERROR,
                        r.o.into + ": " + kBadFormat + "; файл не изменен");
    if (const FileResult written = write_output(r.o.into, patched); !written.done())
        return r.finish(RunOutcome::FileFailed, EXIT_ERROR,
                        r.o.into + ": " + write_problem(written, r.o.into));
    return r.finish(RunOutcome::Done, EXIT_OK, "настройки оптики прочитаны в " + r.o.into);
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

// After a write that did not finish: what the device holds, read back
// while the link answers, against what it held before and the file.
void read_back(Run& r, const OpticsBytes& before, const OpticsBytes& file)
{
    OpticsReplies replies{};
    r.record.holding = {DeviceHolds::Unknown, false};
    r.record.optics_sha256.clear();
    if (read_optics(*r.link, r.prompt, r.read_back_steps(), keep_in(replies)) < 3)
        return;
    const OpticsBytes now = held_bytes(replies);
    r.record.holding = {compare_held(now, before, file), true};
    r.record.optics_sha256 = optics_hash(now);
}

bool write_program(Run& r, const DeviceProgram& program)
{
    const std::optional<OpticsBytes> encoded = optics_write_bytes(program);
    if (!encoded) // write_refusal lets through only programs that travel exactly
        return r.finish(RunOutcome::Refused, EXIT_DEVICE, "запись отклонена: ничего не отправлено");
    // What the device holds is read first, so that a write that does not
    // finish can tell what it changed.
    const std::optional<OpticsReplies> held = read_device_optics(r, ", ничего не записано");
    if (!held) {
        if (r.record.outcome != RunOutcome::Stopped && !r.skipped) // those say it already
            r.record.result += "; ничего не записано";
        return false;
    }
    const OpticsBytes before = held_bytes(*held);
    const OpticsBytes& bytes = *encoded;
    r.record.writes_done = write_optics(*r.link, r.prompt, bytes, r.told_steps());
    if (r.record.writes_done == 2) {
        r.record.holding = {DeviceHolds::Written, false};
        r.record.optics_sha256 = optics_hash(bytes);
        return r.finish(RunOutcome::Done, EXIT_OK, "настройки оптики записаны");
    }
    if (r.frame_out) // the device may have stored a frame, reply or not
        read_back(r, before, bytes);
    return false;
}

// Reads the optics and compares them with what a write of the program would
// send. Sends no write command.
bool verify_program(Run& r, const DeviceProgram& program)
{
    const bool written = r.record.writes_done == 2; // write --verify
    const std::string sent_hash = r.record.optics_sha256;
    const std::optional<OpticsReplies> replies = read_device_optics(r);
    if (!replies) {
        if (written && r.record.outcome != RunOutcome::Stopped) // that says it already
            r.record.result += "; " + holds_words(r.record.holding);
        return false;
    }
    if (written)
        r.record.optics_sha256 = sent_hash; // the row tells what was written
    for (const OpticsDifference& d : optics_differences(program, held_bytes(*replies)))
        r.record.differences.push_back({d.field, d.file_value, d.device_value});
    const std::string fields = " (полей: " + std::to_string(r.record.differences.size()) + ")";
    r.record.verified = written && r.record.differences.empty();
    if (r.record.verified)
        r.record.holding = {DeviceHolds::Verified, false};
    if (r.record.differences.empty())
        return r.finish(RunOutcome::Done, EXIT_OK,
                        written ? "настройки оптики записаны и прочитаны обратно: совпадают с файлом"
                                : "настройки оптики в устройстве совпадают с файлом");
    return r.finish(RunOutcome::Differs, EXIT_DIFFERS,
                    written ? "настройки оптики записаны, но прочитанные обратно отличаются от файла" + fields
                            : "настройки оптики в устройстве отличаются от файла" + fields);
}

// Once the command has succeeded: the device clock against the limit of
// --max-clock-offset. A clock that gave no date fails the check too.
void judge_clock(Run& r)
{
    if (!r.o.max_clock_offset || r.record.exit_code != EXIT_OK)
        return;
    const long long limit = *r.o.max_clock_offset;
    const std::optional<long long> offset = r.record.clock_offset;
    if (offset && std::llabs(*offset) <= limit)
        return;
    const std::string why = offset ? "часы устройства расходятся с часами компьютера на " +
                                         signed_seconds(*offset) + " с, допустимо не больше " +
                                         std::to_string(limit) + " с (--max-clock-offset)"
                                   : std::string("часы устройства не прочитаны как дата: расхождение не "
                                                 "проверить (--max-clock-offset)");
    r.finish(RunOutcome::ClockOff, EXIT_CLOCK, r.record.result + "; " + why);
}

// A run stopped, or a write that did not finish after a frame went out,
// ends by saying what the device holds.
void tell_holds(Run& r)
{
    if (r.record.outcome == RunOutcome::Stopped || (r.frame_out && r.record.writes_done < 2))
        r.record.result += "; " + holds_words(r.record.holding);
}

// Everything that touches the device, once the journal is open.
void run_command(Run& r)
{
    DeviceProgram program; // the file's program: written or compared
    const std::string file = r.o.files.empty() ? r.o.into : r.o.files[0];
    r.record.program_file = file;
    if (!r.o.files.empty() && !r.load(file, program))
        return;
    if (!r.o.into.empty() && !r.load_into())
        return;
    if (r.o.command == "write") {
        const std::string refusal = write_refusal(program);
        if (!refusal.empty()) {
            r.finish(RunOutcome::Refused, EXIT_DEVICE, refusal + "; запись отклонена: ничего не отправлено");
            return;
        }
    }
    SerialLink link(virtual_port_folder());
    r.link = &link;
    if (!r.link->open_link(QString::fromStdString(r.record.port))) {
        const PortOpenError why = r.link->open_error();
        r.record.details["port_error"] = port_open_error_name(why);
        r.finish(RunOutcome::PortFailed, EXIT_DEVICE,
                 "не удалось открыть порт: " + port_open_error_text(why));
        return;
    }
    if (identify(r)) {
        if (r.o.command == "status")
            r.finish(RunOutcome::Done, EXIT_OK, "устройство готово");
        else if (r.o.command == "read")
            read_program(r);
        else if (r.o.command == "verify")
            verify_program(r, program);
        else
            write_program(r, program);
        // write --verify: the same session reads back what was written.
        if (r.o.verify_after_write && r.record.writes_done == 2)
            verify_program(r, program);
        judge_clock(r);
    }
    tell_holds(r);
    r.link->close_link();
}

} // namespace

DeviceRun run_on_port(const DeviceOptions& o, const std::string& port, const StopCheck& stop)
{
    Run r(o, port, stop);
    run_command(r);
    return std::move(r.record);
}

QtCoreForDevices::QtCoreForDevices()
{
    if (QCoreApplication::instance() == nullptr)
        app_ = std::make_unique<QCoreApplication>(argc_, argv_);
}

} // namespace zuzo::cli
