// The simulator's command line: every option read and checked here, the
// program's main only acts on it.

#include "tools/devsim/sim_options.h"

#include "link/core/port_names.h"
#include "tools/devsim/fault_names.h"

#include <chrono>
#include <cstdio>
#include <string_view>

namespace zuzo::sim {

namespace {

const char* const kSynopsis = "Использование: zuzo-devsim [--port COMn] [--folder ПАПКА]\n"
                              "                           [--fault ИМЯ[=N][@КОД[#K]]]... [--pace] [--lux N]\n"
                              "                           [--sensor-off] [--clock-offset СЕКУНДЫ]\n"
                              "                           [--loopback] [--latency МС] [--detach]\n"
                              "       zuzo-devsim --help | --version\n";

// A signed number of seconds, at most ten years either way.
bool clock_offset(std::string_view text, long long& out)
{
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.remove_prefix(1);
    if (text.empty() || text.size() > 9)
        return false;
    long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (v > 10LL * 366 * 24 * 3600)
        return false;
    out = negative ? -v : v;
    return true;
}

bool whole_number(std::string_view text, int& out)
{
    if (text.empty() || text.size() > 9)
        return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

SimCommandLine refused(const std::string& problem)
{
    return {SimCall::Refused, {}, problem};
}

} // namespace

SimCommandLine parse_sim_command_line(int argc, char** argv, const std::string& folder)
{
    SimOptions o;
    o.folder = folder;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool takes_value = arg == "--port" || arg == "--folder" || arg == "--fault" || arg == "--lux" ||
                                 arg == "--clock-offset" || arg == "--latency";
        if (takes_value && i + 1 >= argc)
            return refused("у параметра " + std::string(arg) + " нет значения");
        if (arg == "--port") {
            o.port = argv[++i];
            if (com_number(o.port) == 0)
                return refused("--port " + o.port + ": нужно имя порта от COM1 до COM200");
            o.port = com_name(com_number(o.port));
        } else if (arg == "--folder") {
            o.folder = argv[++i];
        } else if (arg == "--fault") {
            const std::string fault = argv[++i];
            if (!sim::apply_fault(fault, o.faults))
                return refused("--fault " + fault + ": неизвестная неисправность, неверное число или код");
        } else if (arg == "--pace") {
            o.faults.pace = true;
        } else if (arg == "--lux") {
            const std::string value = argv[++i];
            if (!whole_number(value, o.lux) || o.lux > 65535)
                return refused("--lux " + value + ": нужно число от 0 до 65535");
        } else if (arg == "--clock-offset") {
            const std::string value = argv[++i];
            if (!clock_offset(value, o.clock_ahead))
                return refused("--clock-offset " + value +
                               ": нужно число секунд со знаком, не больше 10 лет");
        } else if (arg == "--latency") {
            const std::string value = argv[++i];
            int ms = 0;
            if (!whole_number(value, ms) || ms > 1000)
                return refused("--latency " + value + ": нужно число миллисекунд от 0 до 1000");
            o.line.latency = std::chrono::milliseconds(ms);
        } else if (arg == "--loopback") {
            o.line.loopback = true;
        } else if (arg == "--sensor-off") {
            o.sensor_on = false;
        } else if (arg == "--detach") {
            o.detached = true;
        } else if (arg == "--version") {
            return {SimCall::Version, {}, {}};
        } else if (arg == "--help" || arg == "-h") {
            return {SimCall::Help, {}, {}};
        } else {
            return refused("неизвестный параметр " + std::string(arg));
        }
    }
    return {SimCall::Run, o, {}};
}

void print_help(const std::string& default_folder)
{
    std::printf("%s\n"
                "Симулятор сигнального устройства на псевдотерминале, опубликованный как\n"
                "виртуальный COM-порт. Выводит имя порта и путь терминала и работает до\n"
                "Ctrl+C (или SIGTERM); при завершении убирает свой порт.\n"
                "С --detach уходит в фон и возвращается, только когда порт опубликован:\n"
                "выводит одну строку, номер процесса, которым симулятор останавливают\n"
                "(kill НОМЕР). Если порт не опубликован, сообщает причину, в фоне\n"
                "ничего не остается.\n"
                "\n"
                "Параметры:\n"
                "  --port COMn       имя порта, COM1..COM200; по умолчанию COM1\n"
                "  --folder ПАПКА    папка виртуальных портов; по умолчанию %s\n"
                "                    ($XDG_RUNTIME_DIR/zuzo-ports, без XDG_RUNTIME_DIR\n"
                "                    /tmp/zuzo-ports-UID)\n"
                "  --fault ИМЯ[=N][@КОД[#K]]\n"
                "                    неисправность из списка ниже, с @КОД только для\n"
                "                    одной команды; можно повторять\n"
                "  --pace            отвечать со скоростью линии 9600 бод\n"
                "  --lux N           освещенность, 0..65535 люкс; по умолчанию 1234\n"
                "  --sensor-off      оптический датчик не используется (в памяти оптики\n"
                "                    датчик выключен; без него — включен)\n"
                "  --clock-offset СЕКУНДЫ\n"
                "                    часы устройства спешат (+) или отстают (-) на столько\n"
                "                    секунд от часов компьютера, не больше 10 лет\n"
                "  --loopback        вместо устройства — заглушка проверки кабеля: каждый\n"
                "                    принятый байт возвращается, как по линии 9600 бод\n"
                "                    (для zuzo port test)\n"
                "  --latency МС      задержка переходника USB: то, что уходит в программу,\n"
                "                    копится и передается блоками раз в МС миллисекунд,\n"
                "                    0..1000 (у многих переходников по умолчанию 16)\n"
                "  --detach          уйти в фон, когда порт опубликован, и вывести номер\n"
                "                    процесса; вывод симулятора в фоне отбрасывается\n"
                "  -h, --help        эта справка\n"
                "  --version         версия программы\n"
                "\n"
                "Неисправности:\n"
                "%s"
                "\n"
                "Пример: sim=$(zuzo-devsim --port COM3 --fault ignore=80 --detach)\n"
                "        zuzo device status --port COM3; kill $sim\n"
                "        sim=$(zuzo-devsim --port COM4 --loopback --latency 16 --detach)\n"
                "        zuzo port test COM4; kill $sim\n"
                "Код возврата: 0 — остановлен (с --detach: порт опубликован), 1 — порт\n"
                "не опубликован, 2 — неверный вызов.\n",
                kSynopsis, default_folder.c_str(), fault_names_help());
}

int usage(const std::string& problem)
{
    std::fprintf(stderr, "zuzo-devsim: %s\n%sСправка: zuzo-devsim --help\n", problem.c_str(), kSynopsis);
    return 2;
}

} // namespace zuzo::sim
