#include "tools/zuzo/core/exit_codes.h"

namespace zuzo::cli {
namespace {

int rank(int code)
{
    switch (code) {
    case EXIT_OK:
        return 0;
    case EXIT_CLOCK:
        return 1;
    case EXIT_DIFFERS:
        return 2;
    case EXIT_DEVICE:
        return 3;
    case EXIT_ERROR:
        return 5;
    case EXIT_STOPPED:
        return 6;
    default:
        return 4;
    }
}

} // namespace

int worse_exit_code(int a, int b)
{
    return rank(b) > rank(a) ? b : a;
}

} // namespace zuzo::cli
