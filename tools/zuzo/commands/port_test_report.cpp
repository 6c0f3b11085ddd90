#include "tools/zuzo/commands/port_test_report.h"

#include "link/core/exchange_io.h"
#include "link/core/protocol.h"
#include "tools/zuzo/core/exit_codes.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace zuzo::cli {
namespace {

// Exchanges of "zuzo device write --verify": two status requests, two
// writes, three reads.
constexpr int kWriteVerifyExchanges = 7;

double char_ms()
{
    return std::chrono::duration<double, std::milli>(kCharTime).count();
}

double tenths(double ms)
{
    return std::round(ms * 10.0) / 10.0;
}

// Milliseconds as Russian text writes them: "8,1", "300".
std::string ms_text(double ms)
{
    char text[32];
    const double t = tenths(ms);
    std::snprintf(text, sizeof text, t == std::round(t) ? "%.0f" : "%.1f", t);
    std::string s = text;
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

std::string count(std::size_t n)
{
    return std::to_string(n);
}

const char* outcome_name(LoopVerdict v)
{
    switch (v) {
    case LoopVerdict::Good:
        return "good";
    case LoopVerdict::NothingBack:
        return "nothing_back";
    case LoopVerdict::Damaged:
        return "damaged";
    case LoopVerdict::TooSlow:
        return "too_slow";
    case LoopVerdict::PortFailed:
        break;
    }
    return "port_failed";
}

// The outcome in a few words.
std::string result_words(const LoopTest& test, const LoopJudgement& j)
{
    switch (j.verdict) {
    case LoopVerdict::Good:
        break;
    case LoopVerdict::NothingBack:
        return "ничего не вернулось";
    case LoopVerdict::Damaged:
        return "кабель или переходник неисправны";
    case LoopVerdict::TooSlow:
        return "байты доходят, но задержка переходника слишком велика для устройства";
    case LoopVerdict::PortFailed:
        return "не удалось открыть порт: " + port_open_error_text(test.port_error);
    }
    return "кабель и переходник исправны";
}

std::string bytes_line(const LoopJudgement& j)
{
    if (j.verdict == LoopVerdict::NothingBack)
        return "байты: отправлено " + count(j.sent) + ", не вернулось ничего";
    if (j.lost == 0 && j.altered == 0 && j.extra == 0)
        return "байты: все " + count(j.sent) + " вернулись без искажений (все значения от 00 до FF)";
    return "байты: отправлено " + count(j.sent) + ", вернулось " + count(j.back) + ", потеряно " +
           count(j.lost) + ", искажено " + count(j.altered) + ", лишних " + count(j.extra);
}

// What the latency means for the device, on three lines.
std::string device_lines(const LoopJudgement& j)
{
    std::string text = "  для устройства: каждый обмен дольше примерно на " + ms_text(j.median_ms) +
                       " мс, самое большее на " + ms_text(j.worst_ms) + " мс\n  самый длинный обмен (" +
                       count(kLongestExchangeCharacters) + " знаков, " + ms_text(j.exchange_ms - j.worst_ms) +
                       " мс по линии) займет до " + ms_text(j.exchange_ms) + " мс при ожидании ответа " +
                       ms_text(j.reply_wait_ms) + " мс: ";
    if (j.verdict == LoopVerdict::TooSlow)
        return text + "ожидание не соблюдается, ответ придет позже, чем программа его ждет, и исправное "
                      "устройство покажется молчащим\n";
    return text + "ожидание соблюдается с запасом " + ms_text(j.reply_wait_ms - j.exchange_ms) +
           " мс\n  zuzo device write --verify (" + std::to_string(kWriteVerifyExchanges) +
           " обменов) дольше примерно на " + ms_text(kWriteVerifyExchanges * j.median_ms) + " мс\n";
}

std::string advice(LoopVerdict v)
{
    switch (v) {
    case LoopVerdict::NothingBack:
        return "что проверить: заглушка (перемычка между контактами 2 и 3 разъема DB9) стоит на конце "
               "кабеля; кабель вставлен в этот порт; это порт переходника (zuzo device find, диспетчер "
               "устройств); если к кабелю подключено устройство, а не заглушка, байты и не возвращаются";
    case LoopVerdict::Damaged:
        return "что проверить: разъемы и кабель (плохой контакт, помехи); попробуйте другой кабель, затем "
               "другой переходник";
    case LoopVerdict::TooSlow:
        return "что сделать: уменьшите задержку переходника (latency timer) в свойствах его порта или "
               "возьмите другой переходник";
    case LoopVerdict::Good:
    case LoopVerdict::PortFailed:
        break;
    }
    return {};
}

} // namespace

LoopJudgement judge_loop(const LoopTest& test)
{
    LoopJudgement j;
    j.line_ms = static_cast<double>(kPatternBytes) * char_ms();
    j.reply_wait_ms = std::chrono::duration<double, std::milli>(kReplyWait).count();
    if (test.port_error != PortOpenError::None) {
        j.verdict = LoopVerdict::PortFailed;
        return j;
    }
    std::vector<double> added;
    for (const LoopTrip& t : test.trips) {
        j.sent += t.sent;
        j.back += t.back;
        j.lost += t.sent - std::min(t.back, t.sent);
        j.altered += t.altered;
        j.extra += t.extra;
        if (t.back == t.sent) {
            ++j.complete_trips;
            added.push_back(std::max(0.0, t.round_trip_ms - j.line_ms));
        }
    }
    if (!added.empty()) {
        std::sort(added.begin(), added.end());
        const std::size_t n = added.size();
        j.median_ms = n % 2 == 1 ? added[n / 2] : (added[n / 2 - 1] + added[n / 2]) / 2.0;
        j.worst_ms = added.back();
    }
    j.exchange_ms = static_cast<double>(kLongestExchangeCharacters) * char_ms() + j.worst_ms;
    if (j.back == 0 && j.extra == 0)
        j.verdict = LoopVerdict::NothingBack;
    else if (j.lost > 0 || j.altered > 0 || j.extra > 0 ||
             test.trips.size() < static_cast<std::size_t>(kLoopTrips))
        j.verdict = LoopVerdict::Damaged;
    else if (j.exchange_ms >= j.reply_wait_ms)
        j.verdict = LoopVerdict::TooSlow;
    else
        j.verdict = LoopVerdict::Good;
    return j;
}

std::string loop_summary(const LoopTest& test, const LoopJudgement& j)
{
    return "Итог: " + result_words(test, j) + "; код возврата " + std::to_string(loop_exit_code(j));
}

int loop_exit_code(const LoopJudgement& j)
{
    return j.verdict == LoopVerdict::Good ? EXIT_OK : EXIT_DEVICE;
}

std::string loop_text(const LoopTest& test, const LoopJudgement& j)
{
    const std::string trips = test.trips.size() == static_cast<std::size_t>(kLoopTrips)
                                  ? std::to_string(kLoopTrips)
                                  : count(test.trips.size()) + " из " + std::to_string(kLoopTrips);
    std::string text = test.port + ": проверка с заглушкой, 9600 бод 8N1, проходов: " + trips + " по " +
                       count(kPatternBytes) + " байт\n  " + bytes_line(j) + '\n';
    if (j.complete_trips > 0) {
        text += "  задержка переходника: медиана " + ms_text(j.median_ms) + " мс, наибольшая " +
                ms_text(j.worst_ms) + " мс сверх " + ms_text(j.line_ms) + " мс на передачу " +
                count(kPatternBytes) + " байт по линии\n";
        text += device_lines(j);
    }
    if (const std::string what = advice(j.verdict); !what.empty())
        text += "  " + what + '\n';
    return text + loop_summary(test, j) + '\n';
}

json::Value loop_json(const LoopTest& test, const LoopJudgement& j)
{
    json::Value v = json::Value::object();
    v["port"] = test.port;
    v["round_trips"] = test.trips.size();
    v["bytes"] = {
        {"sent", j.sent}, {"back", j.back}, {"lost", j.lost}, {"altered", j.altered}, {"extra", j.extra}};
    const bool measured = j.complete_trips > 0;
    v["intact"] = j.verdict == LoopVerdict::Good || j.verdict == LoopVerdict::TooSlow;
    v["latency_ms"] = measured ? json::Value({{"median", tenths(j.median_ms)}, {"worst", tenths(j.worst_ms)}})
                               : json::Value(nullptr);
    v["line_time_ms"] = tenths(j.line_ms);
    v["longest_exchange_ms"] = measured ? json::Value(tenths(j.exchange_ms)) : json::Value(nullptr);
    v["reply_wait_ms"] = tenths(j.reply_wait_ms);
    v["reply_wait_holds"] = measured ? json::Value(j.exchange_ms < j.reply_wait_ms) : json::Value(nullptr);
    if (j.verdict == LoopVerdict::PortFailed)
        v["port_error"] = port_open_error_name(test.port_error);
    v["outcome"] = outcome_name(j.verdict);
    v["result"] = result_words(test, j);
    v["exit_code"] = loop_exit_code(j);
    return v;
}

} // namespace zuzo::cli
