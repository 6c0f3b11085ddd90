#include "tools/zuzo/commands/help_texts.h"

#include "tools/zuzo/commands/help_texts_field.h"
#include "tools/zuzo/core/help_texts_system.h"

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
    "  zuzo ptm make ПРОГРАММА.json ФАЙЛ.ptm\n"
    "                                       файл, как после команды «Сохранить»\n"
    "  zuzo ptm check ФАЙЛ.ptm              правила оптики и планы всех дней недели\n"
    "  zuzo ptm plan export ФАЙЛ.ptm [ПЛАН.csv]\n"
    "                                       план таблицей для электронных таблиц\n"
    "  zuzo ptm plan import ПЛАН.csv ФАЙЛ.ptm\n"
    "                                       план из таблицы в файл программы\n"
    "  zuzo ptm plan chart ФАЙЛ.ptm НЕДЕЛЯ.svg|НЕДЕЛЯ.png\n"
    "                                       недельный план одним рисунком\n"
    "  zuzo ptm diff ФАЙЛ1.ptm ФАЙЛ2.ptm    чем различаются две программы\n"
    "\n"
    "Устройство:\n"
    "  zuzo device status --port COMn       тип, датчик, освещенность, часы\n"
    "  zuzo device read --port COMn [--into ФАЙЛ.ptm]\n"
    "                                       чтение настроек оптики\n"
    "  zuzo device write --port COMn ФАЙЛ.ptm\n"
    "                                       запись настроек оптики\n"
    "  zuzo device verify --port COMn ФАЙЛ.ptm\n"
    "                                       сверка оптики устройства с файлом\n"
    "  zuzo device write --verify --ports COM3,COM4,COM7-COM10 ФАЙЛ.ptm\n"
    "                                       запись и сверка на многих портах сразу\n"
    "\n"
    "Порт и кабель:\n"
    "  zuzo device find                     на каком порту устройство\n"
    "  zuzo port test COMn                  проверка кабеля и переходника заглушкой\n"
    "\n"
    "Справка по группе или команде: zuzo ptm --help, zuzo device read --help;\n"
    "версия: zuzo --version.\n"
    "Коды возврата: 0 — успешно, 1 — нарушения в программе, или устройство не\n"
    "ответило, ответило неверно или не приняло запись, 2 — неверный вызов или\n"
    "ошибка файла, 3 — устройство и файл различаются (verify; у ptm diff — два\n"
    "файла), 4 — часы устройства расходятся больше, чем допускает\n"
    "--max-clock-offset, 130 — остановлено по Ctrl+C.\n"
    "Отказ — одна строка с причиной. Вывод, который не удалось записать (полный\n"
    "диск, ошибка ввода-вывода), — код 2; программа, которая перестала читать\n"
    "вывод раньше конца, ошибкой не считается.\n";

constexpr const char* kPtm = "Использование: zuzo ptm КОМАНДА ...\n"
                             "\n"
                             "Команды для файлов программ .ptm:\n"
                             "  dump ФАЙЛ.ptm                 вывести программу в формате JSON\n"
                             "  make ПРОГРАММА.json ФАЙЛ.ptm  записать файл программы из JSON\n"
                             "  check ФАЙЛ.ptm                проверить правила оптики и недельные планы\n"
                             "  plan export ФАЙЛ.ptm [ПЛАН.csv]  недельный план таблицей CSV\n"
                             "  plan import ПЛАН.csv ФАЙЛ.ptm    недельный план из таблицы CSV\n"
                             "  plan chart ФАЙЛ.ptm НЕДЕЛЯ.svg   недельный план рисунком (или .png)\n"
                             "  diff ФАЙЛ1.ptm ФАЙЛ2.ptm      чем различаются две программы\n"
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
    "Отклоняется с указанием поля то, что файл не вернул бы как есть: текст с\n"
    "переводом строки или нулевым символом, символ, которого нет в\n"
    "кодировке Windows-1251, sound_off не 0 и не 1, значение плана вне -128..127,\n"
    "и оптика, которая не ушла бы в устройство как есть: яркость вне 0..100 %,\n"
    "порог вне 0..65535 Lux, optical_sensor_on не 0 и не 1. ФАЙЛ.ptm, который\n"
    "тот же файл, что ПРОГРАММА.json (под любым именем), не перезаписывается.\n"
    "ФАЙЛ.ptm пишется только на пустое место, в пустой файл или поверх файла\n"
    "программы: таблица плана, JSON и файл другого вида не заменяются, а\n"
    "устройство, именованный канал и папка отклоняются (код 2).\n"
    "\n"
    "Пример: zuzo ptm make plan.json copy.ptm\n"
    "Код возврата: 0 — успешно, 2 — испорченный JSON, значение, которое файл не\n"
    "хранит, или ошибка записи.\n";

constexpr const char* kPtmCheck =
    "Использование: zuzo ptm check ФАЙЛ.ptm\n"
    "\n"
    "Проверяет правила оптики и планы всех семи дней недели. Каждое нарушение\n"
    "выводится одной строкой: лампа (или день недели, время и интервалы) и\n"
    "текст предупреждения, который показала бы программа настройки. После них —\n"
    "значения оптики, которые устройство не хранит (поле, значение, пределы),\n"
    "и предупреждения о порогах выше 12000 Lux, которые программа\n"
    "настройки не дает ввести (одни предупреждения — код 0). Файл, который\n"
    "обрывается раньше конца настроек оптики, отклоняется (код 2).\n"
    "\n"
    "Пример: zuzo ptm check plan.ptm\n"
    "  Пороги освещенности: Задано нулевое значение\n"
    "  Пятница, интервал 3: Уровень громкости вне диапазона 0..100%\n"
    "Код возврата: 0 — нарушений нет, 1 — есть нарушения, 2 — файл не читается.\n";

constexpr const char* kPtmDiff =
    "Использование: zuzo ptm diff ФАЙЛ1.ptm ФАЙЛ2.ptm [--json]\n"
    "\n"
    "Сравнивает программы двух файлов и выводит каждое различие строкой: поле,\n"
    "значение в первом файле и во втором. Поля — как у zuzo device verify:\n"
    "день недели на экране (weekday_name), интервалы плана по дню и номеру\n"
    "(включен, время, громкость), настройки звука (sound_type,\n"
    "fast_pulse_time, sound_off) и настройки оптики в процентах, Lux и\n"
    "вкл./выкл. Сравниваются программы, а не байты: файлы с разными концами\n"
    "строк, но одной программой, совпадают.\n"
    "С --json выводит один объект: first, second, differences (field, first,\n"
    "second), outcome (done, differs), result, exit_code.\n"
    "\n"
    "Пример: zuzo ptm diff a.ptm b.ptm\n"
    "  Программы в файлах различаются:\n"
    "    Вторник, интервал 2: в a.ptm вкл., 08:00, 70 %; в b.ptm вкл., 08:05, 75 %\n"
    "Код возврата: 0 — программы совпадают, 3 — различаются, 2 — файл не\n"
    "читается, это не файл программы или он обрывается раньше конца настроек\n"
    "оптики.\n";

constexpr const char* kPtmPlanChart =
    "Использование: zuzo ptm plan chart ФАЙЛ.ptm НЕДЕЛЯ.svg\n"
    "               zuzo ptm plan chart ФАЙЛ.ptm НЕДЕЛЯ.png\n"
    "\n"
    "Рисует недельный план одним рисунком: семь строк с понедельника, по\n"
    "горизонтали — часы суток от 0 до 24. Каждый включенный интервал — черный\n"
    "столбик в свое время, высотой по громкости (полная высота — 100 %), с\n"
    "подписью «время громкость»; дни и часы подписаны, заголовок — имя файла.\n"
    "Рисунок черно-белый и читается и на бумаге. Интервал со временем вне\n"
    "00:00-23:59 не рисуется, он назван под рисунком. SVG открывает любой\n"
    "браузер; PNG рисуется без экрана. Рисунок пишется только на пустое место,\n"
    "в пустой файл или поверх рисунка (код 2 иначе).\n"
    "\n"
    "Пример: zuzo ptm plan chart site.ptm site-week.png\n"
    "Код возврата: 0 — рисунок записан, 2 — неверный вызов, ошибка файла или\n"
    "рисунок не нарисован.\n";

constexpr const char* kPtmPlan =
    "Использование: zuzo ptm plan export ФАЙЛ.ptm [ПЛАН.csv]\n"
    "               zuzo ptm plan import ПЛАН.csv ФАЙЛ.ptm\n"
    "               zuzo ptm plan chart ФАЙЛ.ptm НЕДЕЛЯ.svg|НЕДЕЛЯ.png\n"
    "\n"
    "Недельный план файла программы таблицей для электронных таблиц и обратно:\n"
    "  export  записывает план таблицей в ПЛАН.csv, а без него выводит ее;\n"
    "  import  заменяет план в ФАЙЛ.ptm планом из таблицы, остальные байты файла\n"
    "          не меняются;\n"
    "  chart   рисует план одним рисунком SVG или PNG.\n"
    "Подробно: zuzo ptm plan export --help, zuzo ptm plan import --help,\n"
    "zuzo ptm plan chart --help.\n"
    "\n";

constexpr const char* kPlanTable =
    "Таблица: строка заголовка, затем по строке на интервал (7 x 12 строк,\n"
    "с понедельника); столбцы: день недели, интервал (1-12), включен (0/1),\n"
    "время (ЧЧ:ММ), громкость (%). Разделитель — точка с запятой, кодировка UTF-8\n"
    "с меткой порядка байтов: так таблицу открывают электронные таблицы с\n"
    "русскими настройками.\n"
    "\n";

constexpr const char* kPtmPlanExport =
    "Использование: zuzo ptm plan export ФАЙЛ.ptm [ПЛАН.csv]\n"
    "\n"
    "Записывает недельный план файла программы таблицей в ПЛАН.csv, а без него\n"
    "выводит ее. Значения вне допустимых пределов записываются как есть.\n"
    "ПЛАН.csv пишется только на пустое место, в пустой файл или поверх таблицы\n"
    "плана: файл программы, JSON и файл другого вида не заменяются, а\n"
    "устройство, именованный канал и папка отклоняются (код 2).\n"
    "\n";

constexpr const char* kPtmPlanImport =
    "Использование: zuzo ptm plan import ПЛАН.csv ФАЙЛ.ptm\n"
    "\n"
    "Заменяет недельный план ФАЙЛ.ptm планом из таблицы; остальные байты файла\n"
    "не меняются. Если ФАЙЛ.ptm нет, он создается со значениями новой\n"
    "программы. Читается UTF-8 (с меткой или без), если весь файл в UTF-8, иначе\n"
    "Windows-1251; разделитель — точка с запятой или запятая; дни недели\n"
    "полностью («Понедельник») или кратко («Пн») в любом регистре; строки в\n"
    "любом порядке; время как Ч:ММ, ЧЧ:ММ, ЧЧ:ММ:00 или Ч:ММ AM/PM (так его\n"
    "сохраняют электронные таблицы). Интервал без строки выключен, 00:00,\n"
    "громкость 0. Первая строка — заголовок, только если это заголовок экспорта\n"
    "(в любом регистре) или в ней пять непустых столбцов, в первом нет дня\n"
    "недели, в столбцах интервала и включения нет числа, а в столбцах времени\n"
    "и громкости нет ни времени, ни числа; иначе это строка\n"
    "плана 1. UTF-16 без метки порядка байтов, файл с нулевыми байтами (.xlsx)\n"
    "и столбцы через табуляцию отклоняются каждый своим сообщением.\n"
    "Таблица без единой строки плана (пустая, только заголовок) и ошибочная\n"
    "строка (неизвестный день, интервал вне 1-12, время вне 00:00-23:59 или с\n"
    "секундами, не число, громкость вне -128..127, повтор дня и интервала)\n"
    "отменяют весь импорт с указанием номера строки; файл не меняется.\n"
    "Одинаковое время или громкость вне 0..100 у включенного интервала\n"
    "записываются, затем выводятся так же, как в zuzo ptm check. Файл, оптика\n"
    "которого не ушла бы в устройство как есть, и таблица, которая тот же файл,\n"
    "что ФАЙЛ.ptm, отклоняются (код 2).\n"
    "\n";

constexpr const char* kPtmPlanExamples =
    "Примеры:\n"
    "  zuzo ptm plan export plan.ptm plan.csv\n"
    "  zuzo ptm plan import plan.csv plan.ptm\n"
    "Код возврата: 0 — успешно, 1 — план записан, но есть нарушения (только\n"
    "import), 2 — неверный вызов, выход — тот же файл, что вход, ошибка файла\n"
    "или ошибочная строка таблицы.\n";

constexpr const char* kDeviceOptions =
    "  --on-eeprom-fault=repeat|skip|break\n"
    "                     ответ на повреждение EEPROM устройства: повторить,\n"
    "                     пропустить (данные ответа неизвестны: status\n"
    "                     показывает их как null, read и verify прерываются)\n"
    "                     или прервать (по умолчанию); итог — eeprom_fault, код 1\n"
    "  --json             вывести один объект JSON: port, device_type, clock,\n"
    "                     clock_offset, outcome, result, exit_code (у verify и\n"
    "                     differences, у write — holds и holds_read_back);\n"
    "                     ошибка вызова — тоже объект, outcome usage\n";

constexpr const char* kPortsOption =
    "  --ports СПИСОК     вместо --port: та же команда на многих портах сразу,\n"
    "                     каждый порт в своем потоке; СПИСОК — через запятую:\n"
    "                     COM3,COM4,COM7-COM10 (диапазон — все номера от и до),\n"
    "                     пути тоже; не больше 64 портов, без повторов. Строка о\n"
    "                     каждом устройстве выводится, как только оно готово,\n"
    "                     затем итог; с --json — один объект: devices (объекты\n"
    "                     устройств, как с --port) и summary. Вопросы о\n"
    "                     повреждении EEPROM решает --on-eeprom-fault. Код\n"
    "                     возврата один на все: 130, если остановлено, иначе 2\n"
    "                     (файл, журнал), иначе 1 (устройство не настроено),\n"
    "                     иначе 3 (отличается от файла), иначе 4 (часы); 0 — все\n"
    "                     успешно. Ctrl+C (и сигналы SIGTERM, SIGHUP)\n"
    "                     останавливает все порты между обменами и сообщает, что\n"
    "                     в каждом устройстве: не изменено, записана часть 1,\n"
    "                     записано, записано и проверено, другое (прочитано\n"
    "                     обратно) или неизвестно (код 130); второе Ctrl+C\n"
    "                     завершает сразу\n";

constexpr const char* kClockOption =
    "  --max-clock-offset СЕКУНДЫ\n"
    "                     (status, verify, write --verify): код 4, если часы\n"
    "                     устройства расходятся с часами компьютера больше чем на\n"
    "                     столько секунд или не читаются как дата\n";

constexpr const char* kJournalOption =
    "  --journal ЖУРНАЛ.csv\n"
    "                     дописать строку в журнал (read, write, verify): дата и\n"
    "                     время, порт, тип и часы устройства, расхождение часов,\n"
    "                     команда, файл, SHA-256 22 байтов оптики, результат,\n"
    "                     код возврата.\n"
    "                     Журнал открывается до обмена с устройством; если не\n"
    "                     открывается, ничего не отправляется (код 2).\n"
    "                     Строка дописывается только в журнал или в новый,\n"
    "                     пустой файл, а не в файл программы или другой файл\n";

constexpr const char* kDevice =
    "\n"
    "Команды обмена с устройством (тот же протокол и не более 8 попыток на\n"
    "команду, как в программе настройки):\n"
    "  status                  тип устройства, оптический датчик, освещенность, часы\n"
    "  read [--into ФАЙЛ.ptm]  прочитать настройки оптики\n"
    "  write ФАЙЛ.ptm          записать настройки оптики из файла\n"
    "  write --verify ФАЙЛ.ptm записать и сразу сверить, за одно подключение\n"
    "  verify ФАЙЛ.ptm         сверить настройки оптики устройства с файлом\n"
    "  find                    на каком порту устройство (все порты сразу)\n"
    "С --ports СПИСОК — на многих портах сразу.\n"
    "\n"
    "Справка по команде: zuzo device КОМАНДА --help.\n";

constexpr const char* kDeviceStatus =
    "\n"
    "Опрашивает устройство и выводит в формате JSON код типа, поддерживается ли\n"
    "он, включен ли в нем оптический датчик, освещенность, часы устройства\n"
    "(clock) и их расхождение с часами компьютера в секундах (clock_offset:\n"
    "плюс — часы устройства спешат, минус — отстают; устройство сообщает время\n"
    "с точностью до секунды, поэтому и расхождение — с точностью до секунды).\n"
    "\n";

constexpr const char* kIdentifies =
    "Сначала устройство опознается запросом состояния, как при подключении в\n"
    "программе настройки; устройство другого типа отклоняется (код 1).\n"
    "\n";

constexpr const char* kDeviceRead =
    "\n"
    "Читает настройки оптики из устройства и выводит их в формате JSON.\n"
    "С --into ФАЙЛ.ptm заменяет в этом файле только байты настроек оптики\n"
    "прочитанными; все остальные байты файла остаются как были. Файл, который\n"
    "не является файлом программы или обрывается раньше конца настроек оптики,\n"
    "отклоняется до обмена с устройством (код 2) и не меняется.\n"
    "\n";

constexpr const char* kDeviceWrite =
    "\n"
    "Записывает настройки оптики из файла в устройство. Если значение оптики не\n"
    "ушло бы в устройство как есть (яркость вне 0..100 %, порог вне 0..65535 Lux,\n"
    "датчик не 0 и не 1), нарушено правило оптики или план какого-либо дня не\n"
    "проходит проверку, ничего не отправляется. Запись пропуска не допускает:\n"
    "skip прерывает. Файл, который обрывается раньше конца настроек оптики,\n"
    "отклоняется (код 2). Перед записью настройки оптики устройства\n"
    "читаются; если запись не завершилась, после того как кадр записи ушел в\n"
    "устройство (отказ, нет ответа, Ctrl+C), они читаются обратно и строка\n"
    "говорит, что в устройстве: не изменено, часть 1 из файла, весь файл или\n"
    "другое («прочитано обратно»), а если прочитать не удалось — что это\n"
    "неизвестно. При успехе выводит одну строку. С --verify в том же\n"
    "подключении читает настройки обратно и сверяет их с файлом, как verify\n"
    "(код 3 — различаются); в журнал идет одна строка (команда \"write --verify\").\n"
    "\n";

constexpr const char* kDeviceVerify =
    "\n"
    "Читает настройки оптики из устройства и сравнивает их с тем, что отправила\n"
    "бы запись ФАЙЛ.ptm, побайтно (проценты, дающие один и тот же байт,\n"
    "совпадают). Каждое различие выводится со значением в файле и в устройстве\n"
    "(проценты, Lux, датчик вкл./выкл.). Команд записи не отправляет. Файл,\n"
    "который обрывается раньше конца настроек оптики, отклоняется (код 2).\n"
    "Код возврата 3 — настройки различаются.\n"
    "\n";

// Examples of many ports at once, the same on every system.
constexpr const char* kPortsExamples =
    "  zuzo device write --verify --ports COM3-COM10 plan.ptm --journal j.csv\n"
    "  zuzo device status --ports COM3,COM4 --max-clock-offset 60\n";

constexpr const char* kDeviceExitCodes =
    "Код возврата: 0 — успешно, 1 — устройство не ответило, ответило неверно или\n"
    "оказалось другого типа, запись отклонена правилами, 2 — неверный вызов,\n"
    "ошибка файла или журнала, 3 — настройки в устройстве отличаются от файла\n"
    "(verify, write --verify), 4 — часы устройства расходятся больше, чем\n"
    "допускает --max-clock-offset, 130 — остановлено по Ctrl+C (или сигналом\n"
    "SIGTERM, SIGHUP). Порт, который не открылся, назван с причиной: такого\n"
    "порта нет, порт занят другой программой, нет прав на доступ к порту.\n";

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

std::string ptm_help(std::string_view command, std::string_view plan_command)
{
    if (command == "plan" && plan_command == "export")
        return std::string(kPtmPlanExport) + kPlanTable + kPtmPlanExamples;
    if (command == "plan" && plan_command == "import")
        return std::string(kPtmPlanImport) + kPlanTable + kPtmPlanExamples;
    if (command == "plan" && plan_command == "chart")
        return kPtmPlanChart;
    if (command == "plan")
        return std::string(kPtmPlan) + kPlanTable + kPtmPlanExamples;
    if (command == "diff")
        return kPtmDiff;
    if (command == "dump")
        return kPtmDump;
    if (command == "make")
        return kPtmMake;
    if (command == "check")
        return kPtmCheck;
    return kPtm;
}

// "Использование: zuzo device COMMAND --port PORT" with the rest of the
// line, and the options that do not fit on it on a line of their own.
std::string device_usage_line(std::string_view command, std::string_view rest, std::string_view next_line)
{
    std::string line = "Использование: zuzo device ";
    line.append(command).append(" --port ").append(system_help::kPort).append(rest).append("\n");
    if (!next_line.empty())
        line.append("               ").append(next_line).append("\n");
    return line;
}

// The options of the device commands, the examples and the exit codes.
std::string device_options(bool journal, bool clock)
{
    return std::string("Параметры (каждый не более одного раза):\n") + system_help::kPortOption +
           kPortsOption + kDeviceOptions + (clock ? kClockOption : "") + (journal ? kJournalOption : "") +
           "\nПримеры:\n" + system_help::kDeviceExamples + kPortsExamples + kDeviceExitCodes;
}

std::string device_help(std::string_view command)
{
    constexpr const char* kMore = "[--journal ЖУРНАЛ.csv] [--on-eeprom-fault=...]";
    if (command == "find")
        return device_find_help();
    if (command == "status")
        return device_usage_line(command, " [--json]",
                                 "[--on-eeprom-fault=...] [--max-clock-offset СЕКУНДЫ]") +
               kDeviceStatus + device_options(false, true);
    if (command == "read")
        return device_usage_line(command, " [--into ФАЙЛ.ptm] [--json]", kMore) + kDeviceRead + kIdentifies +
               device_options(true, false);
    if (command == "write")
        return device_usage_line(command, " ФАЙЛ.ptm [--verify] [--json]", kMore) + kDeviceWrite +
               kIdentifies + device_options(true, true);
    if (command == "verify")
        return device_usage_line(command, " ФАЙЛ.ptm [--json]", kMore) + kDeviceVerify + kIdentifies +
               device_options(true, true);
    return device_usage_line("КОМАНДА", " ...", "zuzo device КОМАНДА --ports СПИСОК ...") + kDevice + '\n' +
           kIdentifies + device_options(true, true);
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
    const std::string_view subcommand = words.size() < 3 ? std::string_view() : words[2];
    if (group == "ptm")
        return ptm_help(command, subcommand);
    if (group == "device")
        return device_help(command);
    if (group == "port")
        return port_test_help();
    return std::string(kOverview) + system_help::kManual;
}

} // namespace zuzo::cli
