#pragma once

#include <filesystem>
#include <string>

namespace qdx::test {

// Faults of the file system for the tests that show what the user sees when writing fails.
// Each undoes itself at the end of its scope.

// A full disk, as far as this process and the programs it starts are concerned: no file can
// grow beyond `bytes` (the size limit of the process, with the signal it would raise ignored,
// so a write past the limit fails with EFBIG as a write to a full disk fails with ENOSPC).
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return m_active; }

private:
    unsigned long long m_previous = 0;
    bool m_active = false;
};

// A file or folder nobody may write: its write permissions taken away and, for a process
// running as root (which file modes do not stop), the file system's immutable flag set.
// `active()` is false when it could not be made so (then the test skips, saying why).
class WriteProtection {
public:
    explicit WriteProtection(std::filesystem::path path);
    ~WriteProtection();
    WriteProtection(const WriteProtection&) = delete;
    WriteProtection& operator=(const WriteProtection&) = delete;

    bool active() const { return m_active; }
    // How the protection was made ("file mode" or "immutable flag"), or why it could not be.
    const std::string& how() const { return m_how; }

private:
    std::filesystem::path m_path;
    std::filesystem::perms m_perms{};
    bool m_immutable = false;
    bool m_active = false;
    std::string m_how;
};

// The size of a file in bytes (0 when it cannot be read).
unsigned long long fileSize(const std::string& path);

} // namespace qdx::test
