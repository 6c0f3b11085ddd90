// Qt's offscreen platform comes with every Qt here and needs no screen.

#include "tools/zuzo/commands/chart_png.h"

namespace zuzo::cli {

const char* picture_platform()
{
    return "offscreen";
}

} // namespace zuzo::cli
