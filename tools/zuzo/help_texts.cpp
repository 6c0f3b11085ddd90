#include "tools/zuzo/help_texts.h"

#include <string_view>

namespace zuzo::cli {
namespace {

constexpr const char* kOverview =
    "zuzo — файлы программ и устройство Vestorin Zuzo из командной строки.\n"
    "\n"
    "Использование: zuzo ГРУППА КОМАНДА ...\n"
    "\n"
    "Файлы программ (.ptm):\n"
    "  zuzo ptm dump ФАЙЛ.ptm               программа в формате JSON\n"
    "  zuzo ptm make ПРОГРАММА.json ФАЙЛ.ptm файл, который записала бы команда «Сохранить»\n"
    "  zuzo ptm check ФАЙЛ.ptm              правила оптики и планы всех дней недели\n"
    "\n"
    "Устройство:\n"
    "  zuzo device status --port COMn       тип, датчик, освещенность, часы\n"
    "  zuzo device read --port COMn [--into ФАЙЛ.ptm]\n"
    "                                       чтение настроек оптики\n"
    "  zuzo device write --port COMn ФАЙЛ.ptm\n"
    "                                       запись настроек оптики\n"
    "\n"
    "Справка по группе или команде: zuzo ptm --help, zuzo device read --help.\n"
    "Коды возврата: 0 — успешно, 1 — нарушения в программе или отказ устройства,\n"
    "2 — неверный вызов или ошибка файла. Подробно: man zuzo.\n";

constexpr const char* kPtm = "Использование: zuzo ptm КОМАНДА ...\n"
                             "\n"
                             "Команды для файлов программ .ptm:\n"
                             "  dump ФАЙЛ.ptm                 вывести программу в формате JSON\n"
                             "  make ПРОГРАММА.json ФАЙЛ.ptm  записать файл программы из JSON\n"
                             "  check ФАЙЛ.ptm                проверить правила оптики и недельные планы\n"
                             "\n"
                             "Справка по команде: zuzo ptm КОМАНДА --help.\n";

constexpr const char* kPtmDump = "Использование: zuzo ptm dump ФАЙЛ.ptm\n"
                                 "\n"
                                 "Читает файл программы так же, как команда «Открыть», и выводит программу\n"
                                 "в формате JSON: недельный план, звук, три набора яркости, минимальную\n"
                                 "яркость, оптический датчик и пороги освещенности.\n"
                                 "\n"
                                 "Пример: zuzo ptm dump plan.ptm > plan.json\n"
                                 "Код возврата: 0 — успешно, 2 — файл не читается или имеет другой формат.\n";

constexpr const char* kPtmMake =
    "Использование: zuzo ptm make ПРОГРАММА.json ФАЙЛ.ptm\n"
    "\n"
    "Записывает файл, который записала бы команда «Сохранить» для программы\n"
    "из JSON (формат вывода zuzo ptm dump). Поля, которых нет в JSON, берутся из\n"
    "новой программы. При ошибке записи прежний файл не меняется.\n"
    "\n"
    "Пример: zuzo ptm make plan.json copy.ptm\n"
    "Код возврата: 0 — успешно, 2 — испорченный JSON или ошибка записи.\n";

constexpr const char* kPtmCheck =
    "Использование: zuzo ptm check ФАЙЛ.ptm\n"
    "\n"
    "Проверяет правила оптики и планы всех семи дней недели. Каждое нарушение\n"
    "выводится с именем предупреждения и текстом, который показала бы программа\n"
    "настройки.\n"
    "\n"
    "Пример: zuzo ptm check plan.ptm\n"
    "Код возврата: 0 — нарушений нет, 1 — есть нарушения, 2 — файл не читается.\n";

constexpr const char* kPortOption =
    "Параметры:\n"
    "  --port COMn|ПУТЬ   порт устройства: COM1..COM200 или путь, например /dev/ttyUSB0\n"
    "  --on-eeprom-fault=repeat|skip|break\n"
    "                     ответ на повреждение EEPROM устройства: повторить,\n"
    "                     пропустить (чтение берет 255 для всех байтов данных)\n"
    "                     или прервать (по умолчанию)\n";

constexpr const char* kDevice =
    "Использование: zuzo device КОМАНДА --port COMn|ПУТЬ ...\n"
    "\n"
    "Команды обмена с устройством (тот же протокол и не более 8 попыток на\n"
    "команду, как в программе настройки):\n"
    "  status                  тип устройства, оптический датчик, освещенность, часы\n"
    "  read [--into ФАЙЛ.ptm]  прочитать настройки оптики\n"
    "  write ФАЙЛ.ptm          записать настройки оптики из файла\n"
    "\n"
    "Справка по команде: zuzo device КОМАНДА --help.\n";

constexpr const char* kDeviceStatus =
    "Использование: zuzo device status --port COMn|ПУТЬ [--on-eeprom-fault=...]\n"
    "\n"
    "Опрашивает устройство и выводит в формате JSON код типа, поддерживается ли\n"
    "он, состояние оптического датчика, освещенность и часы устройства.\n"
    "\n";

constexpr const char* kDeviceRead =
    "Использование: zuzo device read --port COMn|ПУТЬ [--into ФАЙЛ.ptm] [--on-eeprom-fault=...]\n"
    "\n"
    "Читает настройки оптики из устройства и выводит их в формате JSON.\n"
    "С --into ФАЙЛ.ptm заменяет в этом файле настройки оптики прочитанными;\n"
    "недельный план и звук в файле сохраняются.\n"
    "\n";

constexpr const char* kDeviceWrite =
    "Использование: zuzo device write --port COMn|ПУТЬ ФАЙЛ.ptm [--on-eeprom-fault=...]\n"
    "\n"
    "Записывает настройки оптики из файла в устройство. Если нарушено правило\n"
    "оптики или план какого-либо дня не проходит проверку, ничего не\n"
    "отправляется. Запись пропуска не допускает: skip прерывает.\n"
    "\n";

constexpr const char* kDeviceExamples =
    "\n"
    "Примеры:\n"
    "  zuzo device status --port COM1\n"
    "  zuzo device read --port COM1 --into plan.ptm\n"
    "  zuzo device write --port /dev/ttyUSB0 plan.ptm\n"
    "Код возврата: 0 — успешно, 1 — устройство не ответило или отказало, запись\n"
    "отклонена правилами, 2 — неверный вызов или ошибка файла.\n";

bool is_help_word(std::string_view word)
{
    return word == "--help" || word == "-h";
}

// The words that are not help requests, in order.
std::vector<std::string_view> plain_words(const std::vector<std::string>& args)
{
    std::vector<std::string_view> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (is_help_word(args[i]) || (i == 0 && args[i] == "help"))
            continue;
        words.emplace_back(args[i]);
    }
    return words;
}

std::string ptm_help(std::string_view command)
{
    if (command == "dump")
        return kPtmDump;
    if (command == "make")
        return kPtmMake;
    if (command == "check")
        return kPtmCheck;
    return kPtm;
}

std::string device_help(std::string_view command)
{
    std::string text;
    if (command == "status")
        text = kDeviceStatus;
    else if (command == "read")
        text = kDeviceRead;
    else if (command == "write")
        text = kDeviceWrite;
    else
        return std::string(kDevice) + '\n' + kPortOption + kDeviceExamples;
    return text + kPortOption + kDeviceExamples;
}

} // namespace

bool asks_for_help(const std::vector<std::string>& args)
{
    if (!args.empty() && args[0] == "help")
        return true;
    for (const std::string& a : args) {
        if (is_help_word(a))
            return true;
    }
    return false;
}

std::string help_text(const std::vector<std::string>& args)
{
    const std::vector<std::string_view> words = plain_words(args);
    const std::string_view group = words.empty() ? std::string_view() : words[0];
    const std::string_view command = words.size() < 2 ? std::string_view() : words[1];
    if (group == "ptm")
        return ptm_help(command);
    if (group == "device")
        return device_help(command);
    return kOverview;
}

} // namespace zuzo::cli
