#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qdx {

inline constexpr std::string_view kCsvOpenFailedMessage = "ファイルをオープンできませんでした。";

// A result file that could not be created or written: "ファイルをオープンできませんでした。"
// and the system's error text.
class SearchResultFileError : public std::runtime_error {
public:
    SearchResultFileError(std::string systemText);
    const std::string& systemText() const { return m_systemText; }
    // The message, "\n" and the system's text, as the windows show it.
    std::string fullText() const;

private:
    std::string m_systemText;
};

// A search-result file being written: every line converted to CP932 (a character CP932
// cannot hold becomes "?") and ended with CR LF, as is every line feed inside a field.
class SearchResultFile {
public:
    // Creates or truncates the file; throws SearchResultFileError.
    explicit SearchResultFile(const std::string& path);
    void writeLine(std::string_view utf8Line);
    // Flushes and closes; throws SearchResultFileError when anything failed to reach the file.
    void close();

private:
    std::ofstream m_out;
};

} // namespace qdx
