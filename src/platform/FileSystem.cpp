#include "platform/FileSystem.h"

#include <string>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qdx::platform {

char pathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

bool isPathSeparator(char c) {
    return c == '/' || c == pathSeparator();
}

std::size_t lastPathSeparator(const std::string& path) {
#ifdef _WIN32
    return path.find_last_of("\\/");
#else
    return path.rfind('/');
#endif
}

bool syncToDisk(const std::filesystem::path& path, bool folder) {
#ifndef _WIN32
    const int fd = ::open(path.c_str(), folder ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#else
    (void)path;
    (void)folder;
    return true;
#endif
}

FileIdentity fileIdentity(const std::filesystem::path& path) {
    FileIdentity identity;
#ifndef _WIN32
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return identity;
    identity.device = static_cast<unsigned long long>(status.st_dev);
    identity.inode = static_cast<unsigned long long>(status.st_ino);
    identity.exists = true;
#else
    std::error_code error;
    identity.exists = std::filesystem::exists(path, error);
#endif
    return identity;
}

bool copyReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

bool moveReplacingDurably(const std::filesystem::path& from, const std::filesystem::path& to) {
    syncToDisk(from);
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error)
        return false;
    syncToDisk(to.parent_path().empty() ? std::filesystem::path(".") : to.parent_path(), true);
    return true;
}

} // namespace qdx::platform
