#include "io/OesFileName.h"

#include "io/FieldRules.h"

#include <algorithm>

namespace qdx::oesname {

bool isOesFileName(const std::string& fileName) {
    const auto dot = fileName.find('.');
    if (dot == std::string::npos) {
        return false;
    }
    const std::string extension = fileName.substr(dot);
    return extension == ".oes" || extension == ".OES";
}

std::vector<std::string> splitName(const std::string& fileName) {
    const std::string stem = fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : "";
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t hyphen = stem.find('-'); hyphen != std::string::npos;
         hyphen = stem.find('-', start)) {
        parts.push_back(stem.substr(start, hyphen - start));
        start = hyphen + 1;
    }
    if (start < stem.size()) {
        parts.push_back(stem.substr(start));
    }
    return parts;
}

std::string registrationDate(const std::string& secondPart, const std::string& today) {
    if (secondPart.size() < 8 || !fieldrules::isDigits(secondPart.substr(0, 8))) {
        return today;
    }
    return secondPart.substr(0, 4) + "-" + secondPart.substr(4, 2) + "-" + secondPart.substr(6, 2);
}

std::vector<std::filesystem::path> listOesFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code kindError;
        if (it->is_directory(kindError)) {
            continue;
        }
        if (isOesFileName(it->path().filename().string())) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace qdx::oesname
