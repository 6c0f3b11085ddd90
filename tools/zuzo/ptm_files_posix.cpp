// Why a file failed, asked of a POSIX system: the path and its folder are
// looked at, and a write is tried again in a scratch file of the folder, so
// that the system's own answer (errno) names the cause.

#include "tools/zuzo/ptm_files.h"

#include "program/file_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zuzo::cli {
namespace {

namespace fs = std::filesystem;

std::string folder_of(const std::string& path)
{
    const fs::path parent = path_from_utf8(path).parent_path();
    return parent.empty() ? std::string(".") : utf8_from_path(parent);
}

// The cause of an errno that is not about one particular file.
std::string errno_cause(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return cause::kNoSpace;
    case EFBIG:
        return cause::kTooLarge;
    case EROFS:
        return cause::kReadOnlyDisk;
    case EIO:
        return cause::kInputOutput;
    case ETXTBSY:
    case EBUSY:
        return cause::kInUse;
    default:
        return std::string("ошибка системы: ") + std::strerror(error);
    }
}

// The folder's own problem, if any: missing, not a folder.
std::string folder_problem(const std::string& folder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        return std::string(errno == ENOENT || errno == ENOTDIR ? no_folder_cause(folder)
                                                               : errno_cause(errno));
    if (!S_ISDIR(st.st_mode))
        return not_a_folder_cause(folder);
    return {};
}

bool write_all(int fd, const std::vector<char>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Tries to create and fill a scratch file of the size in the folder; the
// errno of the first step that fails, 0 when all went well.
int probe_write(const std::string& folder, std::size_t size)
{
    std::string name = folder + "/.zuzo-probe-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return errno;
    const std::vector<char> zeros(std::min<std::size_t>(size, 4u << 20), 0);
    int error = 0;
    if (!write_all(fd, zeros) || ::fsync(fd) != 0)
        error = errno;
    ::close(fd);
    ::unlink(name.c_str());
    return error;
}

} // namespace

std::string read_cause(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == EACCES)
            return cause::kNoReadRight;
        if (errno != ENOENT && errno != ENOTDIR)
            return errno_cause(errno);
        const std::string folder = folder_of(path);
        const std::string problem = folder_problem(folder);
        return std::string(problem.empty() ? cause::kNoFile : problem);
    }
    if (S_ISDIR(st.st_mode))
        return cause::kIsFolder;
    if (!S_ISREG(st.st_mode))
        return cause::kNotAFile;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::string(errno == EACCES || errno == EPERM ? cause::kNoReadRight : errno_cause(errno));
    char byte = 0;
    const ssize_t n = ::read(fd, &byte, 1);
    const int error = errno;
    ::close(fd);
    return std::string(n < 0 ? errno_cause(error) : cause::kInputOutput);
}

std::string write_cause(const std::string& path, std::size_t size)
{
    const std::string folder = folder_of(path);
    std::string problem = folder_problem(folder);
    if (!problem.empty())
        return problem;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return cause::kIsFolder;
        if (::access(path.c_str(), W_OK) != 0)
            return std::string(errno == EROFS ? cause::kReadOnlyDisk : cause::kWriteProtected);
    }
    const int error = probe_write(folder, size);
    if (error == EACCES || error == EPERM)
        return no_folder_right_cause(folder);
    if (error != 0)
        return errno_cause(error);
    return cause::kRefused;
}

} // namespace zuzo::cli
