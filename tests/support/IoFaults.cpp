#include "support/IoFaults.h"

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace qdx::test {

namespace {

// Sets or clears the immutable flag; false when the file system or the process cannot.
bool setImmutable(const std::filesystem::path& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Whether this process can write into the path (a probe file for a folder, the file itself
// opened for writing otherwise).
bool canWrite(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        const std::filesystem::path probe = path / ".write-probe";
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0)
            return false;
        ::close(fd);
        ::unlink(probe.c_str());
        return true;
    }
    const int fd = ::open(path.c_str(), O_WRONLY);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

FileSizeLimit::FileSizeLimit(unsigned long long bytes) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_previous = limit.rlim_cur;
    std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    if (!m_active)
        return;
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_previous);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

WriteProtection::WriteProtection(std::filesystem::path path) : m_path(std::move(path)) {
    std::error_code error;
    m_perms = std::filesystem::status(m_path, error).permissions();
    std::filesystem::permissions(m_path,
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove, error);
    m_how = "file mode";
    if (canWrite(m_path)) {
        m_immutable = setImmutable(m_path, true);
        m_how = m_immutable ? "immutable flag"
                            : "not possible here: file modes do not stop this user and the "
                              "immutable flag cannot be set";
    }
    m_active = !canWrite(m_path);
}

WriteProtection::~WriteProtection() {
    if (m_immutable)
        setImmutable(m_path, false);
    std::error_code error;
    std::filesystem::permissions(m_path, m_perms, error);
}

unsigned long long fileSize(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<unsigned long long>(size);
}

} // namespace qdx::test
