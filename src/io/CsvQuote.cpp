#include "io/CsvQuote.h"

namespace qdx {

std::string CsvQuote(std::string_view field) {
    if (field.find_first_of("\r\n,\"") == std::string_view::npos) {
        return std::string(field);
    }
    std::string out;
    out.reserve(field.size() + 8);
    out.push_back('"');
    for (char c : field) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

} // namespace qdx
