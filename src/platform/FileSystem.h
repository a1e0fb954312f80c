#pragma once

#include <filesystem>
#include <string>

namespace qdx::platform {

// The separator of the platform's paths ('\\' on Windows, '/' elsewhere); '/' is accepted
// everywhere.
char pathSeparator();
bool isPathSeparator(char c);
// Where the last separator of the path is, or npos.
std::size_t lastPathSeparator(const std::string& path);

// Writes what the system still holds of a file (or, with `folder`, of a folder's entries) to
// the disk. False when it could not be opened or synced; Windows writes moves through itself.
bool syncToDisk(const std::filesystem::path& path, bool folder = false);

// Copies `from` over `to` (created or replaced). False when the copy failed.
bool copyReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Moves `from` onto `to`, replacing it, so that the move has reached the disk when this returns.
bool moveReplacingDurably(const std::filesystem::path& from, const std::filesystem::path& to);

// Which file a path names at this moment, so that a program holding it open can tell whether
// it was removed or replaced by another. Empty when the path names no file; Windows keeps an
// open file where it is, so there every existing file has the same identity.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool exists = false;
    bool operator==(const FileIdentity&) const = default;
};
FileIdentity fileIdentity(const std::filesystem::path& path);

} // namespace qdx::platform
