#include "tools/devsim/fault_names.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

namespace zuzo::sim {
namespace {

// In base 10 or 16, or hexadecimal after "0x"; at most 0..1000000.
std::optional<int> number(std::string_view text, int base)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 7)
        return std::nullopt;
    int v = 0;
    for (char c : text) {
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0)
            return std::nullopt;
        v = v * base + d;
    }
    if (v > 1000000)
        return std::nullopt;
    return v;
}

// "NAME[=N]" of a reply fault that can be aimed, and "CODE[#K]" of its aim.
bool apply_aimed(std::string_view what, std::string_view aim, Faults& f)
{
    AimedFault a;
    const std::size_t eq = what.find('=');
    const std::string_view name = what.substr(0, eq);
    const struct {
        const char* name;
        ReplyFault fault;
    } names[] = {{"silence", ReplyFault::Silence},
                 {"garbage", ReplyFault::Garbage},
                 {"bad-checksum", ReplyFault::BadChecksum},
                 {"wrong-length", ReplyFault::WrongLength},
                 {"of", ReplyFault::Of},
                 {"os", ReplyFault::Os},
                 {"ol", ReplyFault::Ol},
                 {"wrong-type", ReplyFault::WrongType}};
    const auto known =
        std::find_if(std::begin(names), std::end(names), [&](const auto& n) { return name == n.name; });
    if (known == std::end(names))
        return false;
    a.fault = known->fault;
    if (eq != std::string_view::npos) {
        const std::optional<int> type = number(what.substr(eq + 1), 10);
        if (a.fault != ReplyFault::WrongType || !type || *type > 255)
            return false;
        a.type_code = *type;
    }
    const std::size_t hash = aim.find('#');
    const std::optional<int> code = number(aim.substr(0, hash), 16);
    if (!code || *code > 255)
        return false;
    a.code = static_cast<std::uint8_t>(*code);
    if (hash != std::string_view::npos) {
        const std::optional<int> k = number(aim.substr(hash + 1), 10);
        if (!k || *k < 1)
            return false;
        a.occurrence = *k;
    }
    f.aimed.push_back(a);
    return true;
}

} // namespace

bool apply_fault(std::string_view setting, Faults& f)
{
    const std::size_t at = setting.find('@');
    if (at != std::string_view::npos)
        return apply_aimed(setting.substr(0, at), setting.substr(at + 1), f);

    const std::size_t eq = setting.find('=');
    const std::string_view name = setting.substr(0, eq);
    std::optional<int> n;
    if (eq != std::string_view::npos) {
        // Command codes are hexadecimal, as the messages write them (80, 0B).
        n = number(setting.substr(eq + 1), name == "ignore" ? 16 : 10);
        if (!n)
            return false;
    }
    const auto flag = [&](bool& field) {
        field = true;
        return !n.has_value();
    };
    if (name == "silence")
        return flag(f.silence);
    if (name == "garbage")
        return flag(f.garbage);
    if (name == "bad-checksum")
        return flag(f.bad_checksum);
    if (name == "wrong-length")
        return flag(f.wrong_length);
    if (name == "of")
        return flag(f.of);
    if (name == "os")
        return flag(f.os);
    if (name == "ol")
        return flag(f.ol);
    if (name == "trailing")
        return flag(f.trailing);
    if (name == "pace")
        return flag(f.pace);
    if (name == "silence-after" && n) {
        f.silence_after = *n;
        return true;
    }
    if (name == "faulty-frames" && n) {
        f.faulty_frames = *n;
        return true;
    }
    if (name == "faulty-from" && n) {
        f.faulty_from = *n;
        return true;
    }
    if (name == "ignore" && n && *n <= 255) {
        f.ignore.insert(static_cast<std::uint8_t>(*n));
        return true;
    }
    if (name == "wrong-type") {
        if (n && *n > 255)
            return false;
        f.type_code = n.value_or(24);
        return true;
    }
    if (name == "split") {
        f.split = n.value_or(3);
        return f.split > 0;
    }
    if (name == "vanish") {
        f.vanish_after = n.value_or(3);
        return true;
    }
    return false;
}

const char* fault_names_help()
{
    return "  silence            не отвечает\n"
           "  silence-after=N    отвечает на первые N кадров, затем молчит\n"
           "  garbage            шум без признака ответа вместо ответа\n"
           "  bad-checksum       ответы на чтение с неверной контрольной суммой\n"
           "  wrong-length       ответы на чтение без первого символа данных\n"
           "  of                 отказ: «of#» вместо «on#»\n"
           "  os                 повреждена EEPROM микроконтроллера («os#»)\n"
           "  ol                 повреждена внешняя EEPROM («ol#»)\n"
           "  wrong-type[=N]     устройство другого типа: код N (по умолчанию 24) вместо 25\n"
           "  ignore=КОД         команда с этим кодом без ответа; код шестнадцатеричный,\n"
           "                     как в сообщениях: 80 состояние, 87, 88, 89 чтение оптики,\n"
           "                     0A, 0B запись оптики, 09 показ яркости\n"
           "  faulty-frames=N    неисправности ответов только на первых N кадрах\n"
           "  faulty-from=N      неисправности ответов начиная с кадра N (счет с 0)\n"
           "  split[=N]          ответ частями по N символов (по умолчанию 3)\n"
           "  trailing           лишние символы после конца ответа\n"
           "  vanish[=N]         после N ответов (по умолчанию 3) линия закрывается\n"
           "                     и порт пропадает\n"
           "  pace               то же, что --pace\n"
           "Числа N десятичные или шестнадцатеричные после 0x.\n"
           "\n"
           "Неисправность ответа можно направить на одну команду: ИМЯ[=N]@КОД[#K].\n"
           "КОД шестнадцатеричный, как у ignore; #K — только K-я команда с этим кодом,\n"
           "считая с запуска, без #K — каждая; faulty-frames на нее не действует.\n"
           "Так направляются silence, garbage, bad-checksum, wrong-length, of, os, ol,\n"
           "wrong-type. Например:\n"
           "  os@88#2            второе чтение оптики, часть 2 (88), получает «os#»\n"
           "  ol@0B              каждая запись оптики, часть 2 (0B), получает «ol#»\n"
           "  os@80#1            первый запрос состояния (опознание при соединении)\n";
}

} // namespace zuzo::sim
