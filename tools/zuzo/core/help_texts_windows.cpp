// The help's own lines on Windows: COM ports only, a loop in cmd, the user
// manual help.chm beside the programs.

#include "tools/zuzo/core/help_texts_system.h"

namespace zuzo::cli::system_help {

const char* const kPort = "COMn";

const char* const kPortOption = "  --port COMn        порт устройства: COM1..COM200 (номер порта показывает\n"
                                "                     диспетчер устройств)\n";

const char* const kDeviceExamples = "  zuzo device status --port COM1\n"
                                    "  zuzo device read --port COM1 --into plan.ptm\n"
                                    "  zuzo device write --port COM5 plan.ptm\n"
                                    "  zuzo device verify --port COM3 plan.ptm\n"
                                    "  zuzo device write --verify --port COM3 plan.ptm --journal j.csv\n"
                                    "  for %p in (COM3 COM4) do ^\n"
                                    "    zuzo device write --port %p plan.ptm --journal j.csv\n"
                                    "  (в командном файле вместо %p пишется %%p)\n";

const char* const kManual = "Подробно: руководство пользователя help.chm в папке программ,\n"
                            "раздел «Утилита zuzo».\n";

} // namespace zuzo::cli::system_help
