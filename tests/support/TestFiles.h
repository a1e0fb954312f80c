#pragma once

#include <filesystem>
#include <string>

namespace qdx::test {

// A fresh folder under the system temp folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// The whole file as bytes; empty when it cannot be read.
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

} // namespace qdx::test
