#include "support/TestFiles.h"

#include <fstream>
#include <iterator>
#include <random>

namespace qdx::test {

TempDir::TempDir() {
    std::random_device seed;
    m_path = std::filesystem::temp_directory_path() /
             ("qdx-test-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

} // namespace qdx::test
