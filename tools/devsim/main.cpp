// zuzo-devsim: a simulated device on a pseudo-terminal, published as a
// virtual COM port for the tool and the companion program.

#include "link/port_names_posix.h"
#include "tools/devsim/detach.h"
#include "tools/devsim/fault_names.h"
#include "tools/devsim/pty_server.h"
#include "tools/devsim/sim_device.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace {

const char* const kSynopsis = "Использование: zuzo-devsim [--port COMn] [--folder ПАПКА]\n"
                              "                           [--fault ИМЯ[=N][@КОД[#K]]]... [--pace] [--lux N]\n"
                              "                           [--sensor-off] [--clock-offset СЕКУНДЫ]\n"
                              "                           [--loopback] [--latency МС] [--detach]\n"
                              "       zuzo-devsim --help | --version\n";

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
                kSynopsis, default_folder.c_str(), zuzo::sim::fault_names_help());
}

int usage(const std::string& problem)
{
    std::fprintf(stderr, "zuzo-devsim: %s\n%sСправка: zuzo-devsim --help\n", problem.c_str(), kSynopsis);
    return 2;
}

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

// Publishes the port. A simulator stopped just before (kill, then start
// again) may hold the name for a moment longer, so a taken name is tried
// again for up to a second before it is refused.
bool publish(zuzo::sim::PtyServer& server, const std::string& folder, const std::string& port,
             std::string& problem)
{
    using namespace std::chrono_literals;
    const auto give_up = std::chrono::steady_clock::now() + 1s;
    zuzo::sim::ServeResult r = server.start(folder, port);
    while (r == zuzo::sim::ServeResult::PortTaken && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(20ms);
        r = server.start(folder, port);
    }
    if (r == zuzo::sim::ServeResult::Started)
        return true;
    problem = port + " не опубликован в " + folder + ": " + zuzo::sim::describe(r);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace zuzo;
    std::string port = "COM1";
    std::string folder = virtual_port_folder();
    sim::Faults faults;
    int lux = 1234;
    bool sensor_on = true;
    long long clock_ahead = 0;
    bool detached = false;
    sim::LineSettings line;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool takes_value = arg == "--port" || arg == "--folder" || arg == "--fault" || arg == "--lux" ||
                                 arg == "--clock-offset" || arg == "--latency";
        if (takes_value && i + 1 >= argc)
            return usage("у параметра " + std::string(arg) + " нет значения");
        if (arg == "--port") {
            port = argv[++i];
            if (com_number(port) == 0)
                return usage("--port " + port + ": нужно имя порта от COM1 до COM200");
            port = com_name(com_number(port));
        } else if (arg == "--folder") {
            folder = argv[++i];
        } else if (arg == "--fault") {
            const std::string fault = argv[++i];
            if (!sim::apply_fault(fault, faults))
                return usage("--fault " + fault + ": неизвестная неисправность, неверное число или код");
        } else if (arg == "--pace") {
            faults.pace = true;
        } else if (arg == "--lux") {
            const std::string value = argv[++i];
            if (!whole_number(value, lux) || lux > 65535)
                return usage("--lux " + value + ": нужно число от 0 до 65535");
        } else if (arg == "--clock-offset") {
            const std::string value = argv[++i];
            if (!clock_offset(value, clock_ahead))
                return usage("--clock-offset " + value + ": нужно число секунд со знаком, не больше 10 лет");
        } else if (arg == "--latency") {
            const std::string value = argv[++i];
            int ms = 0;
            if (!whole_number(value, ms) || ms > 1000)
                return usage("--latency " + value + ": нужно число миллисекунд от 0 до 1000");
            line.latency = std::chrono::milliseconds(ms);
        } else if (arg == "--loopback") {
            line.loopback = true;
        } else if (arg == "--sensor-off") {
            sensor_on = false;
        } else if (arg == "--detach") {
            detached = true;
        } else if (arg == "--version") {
            std::printf("zuzo-devsim %s\n", ZUZO_VERSION);
            return 0;
        } else if (arg == "--help" || arg == "-h") {
            print_help(virtual_port_folder());
            return 0;
        } else {
            return usage("неизвестный параметр " + std::string(arg));
        }
    }

    std::optional<sim::ReadyLine> ready;
    if (detached) {
        // The child leaves the working folder: the port folder is kept whole.
        std::error_code ec;
        const std::filesystem::path whole = std::filesystem::absolute(folder, ec);
        if (!ec)
            folder = whole.string();
        sim::Detached d = sim::detach();
        if (d.parent_exit)
            return *d.parent_exit;
        ready = std::move(d.child);
    }

    // The line thread must not take the stop signals: block them before it
    // starts and wait for them here.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    sim::SimDevice device;
    device.set_faults(faults);
    device.set_lux(lux);
    device.set_sensor_on(sensor_on);
    device.set_clock_offset(clock_ahead);
    sim::PtyServer server(device);
    server.set_line(line);
    std::string problem;
    if (!publish(server, folder, port, problem)) {
        if (ready)
            ready->failed(problem);
        else
            std::fprintf(stderr, "zuzo-devsim: %s\n", problem.c_str());
        return 1;
    }
    if (ready) {
        ready->published();
    } else {
        // The first line, the name and the terminal, is for scripts too.
        std::printf("%s %s\nссылка %s -> %s; остановка: Ctrl+C\n", port.c_str(),
                    server.terminal_path().c_str(), server.link_path().c_str(),
                    server.terminal_path().c_str());
        std::fflush(stdout);
    }

    int signal_number = 0;
    sigwait(&stop_signals, &signal_number);
    server.stop();
    return 0;
}
