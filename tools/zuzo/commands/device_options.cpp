#include "tools/zuzo/commands/device_options.h"

#include "tools/zuzo/core/port_set.h"
#include "tools/zuzo/core/same_file.h"

#include <optional>
#include <set>
#include <string_view>

namespace zuzo::cli {
namespace {

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

bool is_micro(const FaultQuestion* q)
{
    return q == &read_fault_micro() || q == &write_fault_micro();
}

// The first line of a question: what the device reports.
std::string first_line(const FaultQuestion& q)
{
    const std::string_view text = q.text;
    return std::string(text.substr(0, text.find('\n')));
}

// Seconds without sign, at most a year; nothing otherwise.
std::optional<long long> seconds_limit(const std::string& text)
{
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    long long v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v > 366LL * 24 * 3600)
        return std::nullopt;
    return v;
}

} // namespace

std::string parse_device_options(const std::vector<std::string>& args, DeviceOptions& o)
{
    for (const std::string& a : args)
        o.json = o.json || a == "--json";
    if (args.empty())
        return "нужна команда";
    o.command = args[0];
    std::set<std::string> given; // no option is repeated: which one would count is a guess
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool has_next = i + 1 < args.size();
        const std::string option = a.substr(0, a.find('='));
        if (option.rfind("--", 0) == 0 && !given.insert(option).second)
            return "параметр " + option + " указан дважды";
        if (a == "--port" && has_next) {
            o.port = args[++i];
        } else if (a == "--ports" && has_next) {
            o.port = args[++i];
            const PortSet set = parse_port_set(o.port);
            if (!set.problem.empty())
                return "--ports: " + set.problem;
            o.ports = set.ports;
        } else if (a == "--max-clock-offset" && has_next) {
            o.max_clock_offset = seconds_limit(args[++i]);
            if (!o.max_clock_offset)
                return "--max-clock-offset принимает число секунд от 0 до 31622400 (366 суток)";
        } else if (a == "--into" && has_next) {
            o.into = args[++i];
        } else if (a == "--journal" && has_next) {
            o.journal = args[++i];
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--verify") {
            o.verify_after_write = true;
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
        } else if (a == "--port" || a == "--ports" || a == "--into" || a == "--journal" ||
                   a == "--max-clock-offset") {
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
    if (given.count("--port") > 0 && given.count("--ports") > 0)
        return "--port и --ports вместе не указывают: один порт — --port, несколько — --ports";
    if (o.port.empty())
        return "нужен --port COMn или --port ПУТЬ (несколько портов: --ports СПИСОК)";
    if (takes_file && o.files.size() != 1)
        return o.command + " принимает один файл программы";
    if (!takes_file && !o.files.empty())
        return "лишний аргумент " + o.files.front();
    if (o.command != "read" && !o.into.empty())
        return "--into относится только к read";
    if (o.command != "write" && o.verify_after_write)
        return "--verify относится только к write (отдельная проверка: zuzo device verify)";
    if (o.command == "status" && !o.journal.empty())
        return "--journal относится к read, write и verify";
    if (o.max_clock_offset && o.command != "status" && o.command != "verify" && !o.verify_after_write)
        return "--max-clock-offset относится к status, verify и write --verify";
    if (!o.into.empty() && o.ports.size() > 1)
        return "--into с несколькими портами: все устройства писали бы в один файл";
    for (const std::string& file : {o.into, o.files.empty() ? std::string() : o.files[0]}) {
        if (!o.journal.empty() && !file.empty() && same_file(file, o.journal))
            return "журнал " + o.journal + " — тот же файл, что и " + file + "; ничего не записано";
    }
    return {};
}

const char* fault_answer_word(FaultAnswer answer)
{
    switch (answer) {
    case FaultAnswer::Yes:
        return "repeat";
    case FaultAnswer::No:
        return "skip";
    case FaultAnswer::Cancel:
        break;
    }
    return "break";
}

FaultAnswer OptionFaultPrompt::ask(const FaultQuestion& q)
{
    questions_.push_back(&q);
    given_ = !q.offers_cancel && answer_ != FaultAnswer::Yes ? FaultAnswer::No // a write: No breaks
                                                             : answer_;
    return given_;
}

void OptionFaultPrompt::begin_exchange()
{
    questions_.clear();
}

std::string OptionFaultPrompt::what_the_device_said() const
{
    std::string said;
    for (const FaultQuestion* q : questions_)
        said += (said.empty() ? "«" : ", «") + first_line(*q) + "»";
    return said;
}

const char* OptionFaultPrompt::fault_name() const
{
    bool micro = false;
    bool external = false;
    for (const FaultQuestion* q : questions_)
        (is_micro(q) ? micro : external) = true;
    if (micro && external)
        return "both";
    return micro ? "microcontroller" : "external";
}

} // namespace zuzo::cli
