// Windows' own platform draws without showing a window, and it is the one
// installed with the programs.

#include "tools/zuzo/commands/chart_png.h"

namespace zuzo::cli {

const char* picture_platform()
{
    return "";
}

} // namespace zuzo::cli
