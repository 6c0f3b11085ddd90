#pragma once
// Places where writing really fails, even for root: a small file system of
// its own that can be made read-only or filled up, and files that cannot be
// replaced because something is mounted on them. Every mount is undone when
// the object goes. Mounting needs the right to mount; without it the
// operations fail and say why, and tests skip.

#include <string>
#include <vector>

class ScratchMount {
public:
    ScratchMount() = default;
    ~ScratchMount();
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    // A fresh folder with a tmpfs of size_bytes mounted on it.
    [[nodiscard]] bool mount_tmpfs(std::size_t size_bytes);
    // The tmpfs becomes read-only.
    [[nodiscard]] bool make_read_only();
    // Writes a filler file until the file system is full.
    [[nodiscard]] bool fill_up(const std::string& filler_name);
    // Mounts the file on itself: it reads as before, but renaming another file
    // over it fails (the target is busy).
    [[nodiscard]] bool pin_file(const std::string& path);

    [[nodiscard]] const std::string& folder() const { return folder_; }
    // Why the last operation failed.
    [[nodiscard]] const std::string& why_not() const { return why_not_; }

private:
    bool fail(const std::string& what);

    std::string folder_;
    std::vector<std::string> mounts_; // undone in reverse order
    std::string why_not_;
};
