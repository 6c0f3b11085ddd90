#include "robustness/scratch_mount.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/mount.h>
#include <unistd.h>

ScratchMount::~ScratchMount()
{
    for (auto it = mounts_.rbegin(); it != mounts_.rend(); ++it)
        ::umount2(it->c_str(), MNT_DETACH);
    if (!folder_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
}

bool ScratchMount::fail(const std::string& what)
{
    why_not_ = what + ": " + std::strerror(errno);
    return false;
}

bool ScratchMount::mount_tmpfs(std::size_t size_bytes)
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "zuzo-scratch-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr)
        return fail("mkdtemp");
    folder_ = tmpl;
    const std::string options = "size=" + std::to_string(size_bytes) + ",mode=0700";
    if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) != 0)
        return fail("mount tmpfs on " + folder_);
    mounts_.push_back(folder_);
    return true;
}

bool ScratchMount::make_read_only()
{
    if (::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        return fail("remount read-only");
    return true;
}

bool ScratchMount::fill_up(const std::string& filler_name)
{
    const std::string path = folder_ + "/" + filler_name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail("create " + path);
    static const char block[4096] = {};
    // Whole blocks first, then single bytes, until nothing more fits.
    for (std::size_t chunk : {sizeof block, std::size_t{1}}) {
        for (;;) {
            const ssize_t n = ::write(fd, block, chunk);
            if (n > 0)
                continue;
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno != ENOSPC) {
                ::close(fd);
                return fail("fill " + path);
            }
            break;
        }
    }
    ::close(fd);
    return true;
}

bool ScratchMount::pin_file(const std::string& path)
{
    if (::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) != 0)
        return fail("bind mount " + path);
    mounts_.push_back(path);
    return true;
}
