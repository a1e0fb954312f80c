#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qdx {

// The rules for OES file names.
namespace oesname {

// True for a file name whose text from its first "." to the end is exactly ".oes" or ".OES".
bool isOesFileName(const std::string& fileName);
// The name without its four-character extension split at every "-": the text before each
// hyphen is a part (possibly empty); the text after the last hyphen is a part unless empty.
std::vector<std::string> splitName(const std::string& fileName);
// The registration date of a file's records from the second name part: its first eight
// characters as "%Y-%m-%d" when they are digits, else `today`.
std::string registrationDate(const std::string& secondPart, const std::string& today);
// The OES files of a folder (not its subfolders), ordered by name.
std::vector<std::filesystem::path> listOesFiles(const std::filesystem::path& folder);

} // namespace oesname
} // namespace qdx
