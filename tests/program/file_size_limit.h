#pragma once
// Makes every file write beyond a few bytes fail for as long as it lives, so
// tests can see a real failed save. Where the system offers such a limit
// (file_size_limit_posix.cpp: RLIMIT_FSIZE, which binds root too) active()
// says true; Windows has none for a process (file_size_limit_windows.cpp),
// and the tests that need one skip there, saying why_unavailable().

class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return ok_; }
    // Why the system offers no such limit; nullptr where it does.
    [[nodiscard]] static const char* why_unavailable();

private:
    unsigned long long old_soft_ = 0;
    unsigned long long old_hard_ = 0;
    void (*old_signal_)(int) = nullptr;
    bool ok_ = false;
};
