#include "io/CsvRecordReader.h"

#include <algorithm>

namespace qdx {
namespace {

std::size_t quoteCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '"'));
}

std::string unquoteField(std::string_view raw) {
    if (raw.size() < 2 || raw.front() != '"' || raw.back() != '"') {
        return std::string(raw);
    }
    std::string out;
    out.reserve(raw.size() - 2);
    const std::string_view inner = raw.substr(1, raw.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        out.push_back(inner[i]);
        if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') {
            ++i;
        }
    }
    return out;
}

} // namespace

bool CsvRecordReader::readLine(std::string& line) {
    if (!std::getline(m_in, line)) {
        return false;
    }
    // A CR LF end reads like a text-mode read does: the CR goes with the LF.
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

bool CsvRecordReader::next() {
    if (!readLine(m_record)) {
        return false;
    }
    m_lastLine = m_record;
    // The count is kept running so a long unterminated field is not rescanned per line.
    std::size_t quotes = quoteCount(m_record);
    while (quotes % 2 == 1) {
        if (!readLine(m_lastLine)) {
            m_unclosed = true;
            m_record.clear();
            return false;
        }
        m_record += (!m_record.empty() && m_record.back() == '\r') ? "\n" : "\r\n";
        m_record += m_lastLine;
        quotes += quoteCount(m_lastLine);
    }
    return true;
}

std::vector<std::string> splitCsvFields(std::string_view record) {
    std::vector<std::string> fields;
    if (record.empty()) {
        return fields;
    }
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= record.size(); ++i) {
        if (i == record.size() || (record[i] == ',' && !quoted)) {
            fields.push_back(unquoteField(record.substr(start, i - start)));
            start = i + 1;
        } else if (record[i] == '"') {
            quoted = !quoted;
        }
    }
    return fields;
}

} // namespace qdx
