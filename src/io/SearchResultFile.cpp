#include "io/SearchResultFile.h"

#include "io/TextCodec.h"

#include <cerrno>
#include <cstring>

namespace qdx {

SearchResultFileError::SearchResultFileError(std::string systemText)
    : std::runtime_error(std::string(kCsvOpenFailedMessage) + "\n" + systemText),
      m_systemText(std::move(systemText)) {}

std::string SearchResultFileError::fullText() const {
    return std::string(kCsvOpenFailedMessage) + "\n" + m_systemText;
}

SearchResultFile::SearchResultFile(const std::string& path) {
    errno = 0;
    m_out.open(path, std::ios::binary | std::ios::trunc);
    if (!m_out)
        throw SearchResultFileError(errno != 0 ? std::strerror(errno) : "cannot create " + path);
}

void SearchResultFile::writeLine(std::string_view utf8Line) {
    std::string text;
    text.reserve(utf8Line.size() + 2);
    for (char c : utf8Line) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    text += "\r\n";
    m_out << TextCodec::toCp932(text);
}

void SearchResultFile::close() {
    errno = 0;
    m_out.flush();
    const bool failed = !m_out;
    m_out.close();
    if (failed || !m_out)
        throw SearchResultFileError(errno != 0 ? std::strerror(errno) : "write failed");
}

} // namespace qdx
