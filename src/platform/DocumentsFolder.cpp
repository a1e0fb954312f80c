#include "platform/DocumentsFolder.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace qdx::platform {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::filesystem::path homeFolder() {
    std::string home = environment("HOME");
    if (home.empty()) {
        home = "/";
    }
    return home;
}

std::filesystem::path userDirsFile() {
    const std::string configHome = environment("XDG_CONFIG_HOME");
    if (!configHome.empty() && std::filesystem::path(configHome).is_absolute()) {
        return std::filesystem::path(configHome) / "user-dirs.dirs";
    }
    return homeFolder() / ".config" / "user-dirs.dirs";
}

// The value of XDG_DOCUMENTS_DIR with "$HOME" expanded; empty when absent or not absolute.
std::filesystem::path xdgDocumentsDir() {
    std::ifstream in(userDirsFile());
    std::string line;
    std::string value;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line.compare(first, key.size(), key) != 0) {
            continue;
        }
        value = line.substr(first + key.size());
    }
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    if (value.rfind("$HOME", 0) == 0) {
        value = homeFolder().string() + value.substr(5);
    }
    std::filesystem::path path(value);
    return path.is_absolute() ? path.lexically_normal() : std::filesystem::path();
}

} // namespace

std::filesystem::path documentsFolder() {
    std::filesystem::path xdg = xdgDocumentsDir();
    if (!xdg.empty()) {
        return xdg;
    }
    return homeFolder() / "Documents";
}

} // namespace qdx::platform
