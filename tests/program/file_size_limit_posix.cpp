#include "program/file_size_limit.h"

#include <csignal>
#include <sys/resource.h>

FileSizeLimit::FileSizeLimit(unsigned long long bytes)
{
    rlimit old{};
    ok_ = getrlimit(RLIMIT_FSIZE, &old) == 0;
    old_soft_ = old.rlim_cur;
    old_hard_ = old.rlim_max;
    old_signal_ = std::signal(SIGXFSZ, SIG_IGN); // a failed write returns EFBIG instead
    rlimit lower = old;
    lower.rlim_cur = static_cast<rlim_t>(bytes);
    ok_ = ok_ && setrlimit(RLIMIT_FSIZE, &lower) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit old{};
    old.rlim_cur = static_cast<rlim_t>(old_soft_);
    old.rlim_max = static_cast<rlim_t>(old_hard_);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_signal_);
}

const char* FileSizeLimit::why_unavailable()
{
    return nullptr;
}
