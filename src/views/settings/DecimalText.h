#pragma once

#include <string_view>

namespace qdx {

// The number texts of the settings window. A text is a decimal number when, after leading
// blanks, it holds an optional sign, digits with at most one "." (at least one digit in all)
// and an optional exponent ("e" or "E", optional sign, digits), and nothing after that:
// trailing blanks do not pass. "nan", "inf" and hexadecimal texts are not decimal numbers, so
// they can never reach a stored weight. An empty text passes and reads as 0.
bool isDecimalText(std::string_view text);

// The value of a text that isDecimalText accepts; 0 for an empty text. Beyond the range of a
// double it is infinite, below the smallest one 0.
double decimalValue(std::string_view text);

} // namespace qdx
