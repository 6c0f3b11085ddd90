#include "link/core/port_names_posix.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zuzo {
namespace {

struct DeviceRange {
    const char* stem; // file name before the index
    int first_com;    // COM number of index 0
};

constexpr std::array<DeviceRange, 3> kRanges{{{"ttyS", 1}, {"ttyUSB", 33}, {"ttyACM", 65}}};
constexpr int kRangeSize = 32;

std::string real_path(const std::string& path)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return {};
    std::string out(resolved);
    std::free(resolved);
    return out;
}

bool is_link(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::string trusted_folder(const std::string& folder)
{
    if (folder.empty() || check_port_folder(folder) != FolderStatus::Ok)
        return {};
    return folder;
}

std::string folder_link(const std::string& folder, int n)
{
    return folder + "/" + com_name(n);
}

} // namespace

std::string virtual_port_folder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/')
        return std::string(runtime) + "/zuzo-ports";
    return "/tmp/zuzo-ports-" + std::to_string(::geteuid());
}

FolderStatus check_port_folder(const std::string& folder)
{
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0)
        return FolderStatus::Missing;
    if (!S_ISDIR(st.st_mode))
        return FolderStatus::NotAFolder;
    if (st.st_uid != ::geteuid())
        return FolderStatus::NotOwned;
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return FolderStatus::WritableByOthers;
    return FolderStatus::Ok;
}

FolderStatus ensure_port_folder(const std::string& folder)
{
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return FolderStatus::CannotCreate;
    return check_port_folder(folder);
}

std::string fixed_device_for_com(int n, const std::string& dev_root)
{
    for (const DeviceRange& r : kRanges) {
        if (n >= r.first_com && n < r.first_com + kRangeSize)
            return dev_root + "/" + r.stem + std::to_string(n - r.first_com);
    }
    return {};
}

int fixed_com_for_device(std::string_view path, const std::string& dev_root)
{
    const std::string prefix = dev_root + "/";
    if (path.substr(0, prefix.size()) != prefix)
        return 0;
    const std::string_view file = path.substr(prefix.size());
    for (const DeviceRange& r : kRanges) {
        const std::string_view stem(r.stem);
        if (file.substr(0, stem.size()) != stem)
            continue;
        const int index = small_decimal(file.substr(stem.size()));
        if (index >= 0 && index < kRangeSize)
            return r.first_com + index;
    }
    return 0;
}

std::string resolve_port(std::string_view name_or_path, const std::string& folder)
{
    return resolve_port(name_or_path, folder, "/dev");
}

const char* device_path_separator()
{
    return "/";
}

std::unique_ptr<PortLister> make_system_port_lister()
{
    return std::make_unique<SystemPortLister>();
}

std::string resolve_port(std::string_view name_or_path, const std::string& folder,
                         const std::string& dev_root)
{
    if (name_or_path.find('/') != std::string_view::npos)
        return real_path(std::string(name_or_path));
    const int n = com_number(name_or_path);
    if (n == 0)
        return {};
    const std::string trusted = trusted_folder(folder);
    if (!trusted.empty()) {
        const std::string link = folder_link(trusted, n);
        if (is_link(link) || exists(link))
            return real_path(link); // a dangling link hides nothing behind it
    }
    const std::string device = fixed_device_for_com(n, dev_root);
    return device.empty() ? std::string{} : real_path(device);
}

std::string com_name_for_path(std::string_view path, const std::string& folder, const std::string& dev_root)
{
    const std::string target = real_path(std::string(path));
    const std::string trusted = trusted_folder(folder);
    if (!trusted.empty() && !target.empty()) {
        for (const PortEntry& e :
             SystemPortLister(trusted, dev_root).list().value_or(std::vector<PortEntry>{})) {
            if (e.device_path.substr(0, trusted.size() + 1) == trusted + "/" &&
                real_path(e.device_path) == target)
                return e.com_name;
        }
    }
    int n = fixed_com_for_device(path, dev_root);
    if (n == 0 && !target.empty())
        n = fixed_com_for_device(target, dev_root);
    return n == 0 ? std::string{} : com_name(n);
}

SystemPortLister::SystemPortLister(std::string folder, std::string dev_root)
    : folder_(std::move(folder)), dev_root_(std::move(dev_root))
{
}

std::optional<std::vector<PortEntry>> SystemPortLister::list()
{
    struct Found {
        int com;
        int rank; // 0 folder link, 1 device
        PortEntry entry;
    };
    std::vector<Found> found;

    const std::string trusted = trusted_folder(folder_.empty() ? virtual_port_folder() : folder_);
    if (!trusted.empty()) {
        if (DIR* dir = ::opendir(trusted.c_str())) {
            while (const dirent* d = ::readdir(dir)) {
                const std::string name(d->d_name);
                const int n = com_number(name);
                if (n == 0 || name != com_name(n))
                    continue;
                const std::string link = folder_link(trusted, n);
                if (is_link(link) && exists(link))
                    found.push_back({n, 0, {link, name}});
            }
            ::closedir(dir);
        }
    }
    for (const DeviceRange& r : kRanges) {
        for (int i = 0; i < kRangeSize; ++i) {
            const std::string device = dev_root_ + "/" + r.stem + std::to_string(i);
            struct stat st {};
            if (::stat(device.c_str(), &st) == 0 && S_ISCHR(st.st_mode))
                found.push_back({r.first_com + i, 1, {device, com_name(r.first_com + i)}});
        }
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.com != b.com)
            return a.com < b.com;
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.entry.device_path < b.entry.device_path;
    });
    std::vector<PortEntry> out;
    out.reserve(found.size());
    for (Found& f : found)
        out.push_back(std::move(f.entry));
    return out;
}

} // namespace zuzo
