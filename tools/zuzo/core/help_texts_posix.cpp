// The help's own lines on Linux: device paths, a bash loop, the manual page.

#include "tools/zuzo/core/help_texts_system.h"

namespace zuzo::cli::system_help {

const char* const kPort = "COMn|ПУТЬ";

const char* const kPortOption = "  --port COMn|ПУТЬ   порт устройства: COM1..COM200 или путь к нему,\n"
                                "                     например /dev/ttyUSB0\n";

const char* const kDeviceExamples = "  zuzo device status --port COM1\n"
                                    "  zuzo device read --port COM1 --into plan.ptm\n"
                                    "  zuzo device write --port /dev/ttyUSB0 plan.ptm\n"
                                    "  zuzo device verify --port COM3 plan.ptm\n"
                                    "  zuzo device write --verify --port COM3 plan.ptm --journal j.csv\n"
                                    "  for p in COM3 COM4; do\n"
                                    "    zuzo device write --port $p plan.ptm --journal j.csv\n"
                                    "  done\n";

const char* const kManual = "Подробно: man zuzo.\n";

} // namespace zuzo::cli::system_help
