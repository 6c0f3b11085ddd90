// POSIX systems end a sleep on time: there is no tick to ask for.

#include "link/core/fine_timer.h"

namespace zuzo {

void FineTimer::hold()
{
    held_ = true;
}

void FineTimer::release()
{
    held_ = false;
}

} // namespace zuzo
