#pragma once
// Makes every file write beyond a few bytes fail for as long as it lives
// (RLIMIT_FSIZE, which binds root too), so tests can see a real failed save.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ok_ = getrlimit(RLIMIT_FSIZE, &old_) == 0;
        old_signal_ = std::signal(SIGXFSZ, SIG_IGN); // a failed write returns EFBIG instead
        rlimit lower = old_;
        lower.rlim_cur = bytes;
        ok_ = ok_ && setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return ok_; }

private:
    rlimit old_{};
    void (*old_signal_)(int) = SIG_DFL;
    bool ok_ = false;
};
