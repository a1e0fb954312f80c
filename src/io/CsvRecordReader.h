#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace qdx {

// Reads the records of a CSV text (CP932 bytes, CR LF or LF line ends). A record is one
// physical line, or several when a quoted field holds line breaks: while the text collected so
// far holds an odd number of double quotes, a line break (CR LF, or LF alone when the text
// already ends with CR) and the next line are appended.
class CsvRecordReader {
public:
    explicit CsvRecordReader(std::istream& in) : m_in(in) {}

    // Reads the next complete record; false at the end of the input.
    bool next();
    const std::string& record() const { return m_record; }
    // The last physical line of the record (the whole record when it spans one line).
    const std::string& lastLine() const { return m_lastLine; }
    // True once the input ended inside a quoted field; that unfinished record is not returned.
    bool unclosedAtEnd() const { return m_unclosed; }

private:
    bool readLine(std::string& line);

    std::istream& m_in;
    std::string m_record;
    std::string m_lastLine;
    bool m_unclosed = false;
};

// Splits a record at the commas outside double quotes. A field enclosed in double quotes loses
// them and each doubled double quote inside it becomes one. An empty record has no fields.
std::vector<std::string> splitCsvFields(std::string_view record);

} // namespace qdx
