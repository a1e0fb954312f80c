#pragma once

#include <string>
#include <string_view>

namespace qdx {

// The field quoting every CSV writer shares: a field holding CR, LF, a comma or a double quote
// is enclosed in double quotes with each inner double quote doubled; any other field is
// written bare.
std::string CsvQuote(std::string_view field);

} // namespace qdx
