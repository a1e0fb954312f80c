#include "views/settings/DecimalText.h"

#include <cctype>
#include <charconv>
#include <limits>

namespace qdx {

namespace {

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipBlanks(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

std::size_t skipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

std::size_t skipSign(std::string_view text, std::size_t at) {
    return at < text.size() && (text[at] == '+' || text[at] == '-') ? at + 1 : at;
}

// Roughly the power of ten of a number text that from_chars found out of range: positive for
// texts too large for a double, negative for texts too small. `at` is past blanks and sign.
long long decimalOrder(std::string_view text, std::size_t at) {
    long long order = 0;
    bool significant = false;
    bool fraction = false;
    for (; at < text.size() && (isDigit(text[at]) || text[at] == '.'); ++at) {
        const char c = text[at];
        if (c == '.') {
            fraction = true;
        } else if (!significant && c == '0') {
            order -= fraction ? 1 : 0;
        } else {
            significant = true;
            order += fraction ? 0 : 1;
        }
    }
    if (at >= text.size())
        return order;
    const bool negative = at + 1 < text.size() && text[at + 1] == '-';
    long long exponent = 0;
    for (at = skipSign(text, at + 1); at < text.size() && exponent < 1000000; ++at)
        exponent = exponent * 10 + (text[at] - '0');
    return order + (negative ? -exponent : exponent);
}

} // namespace

bool isDecimalText(std::string_view text) {
    if (text.empty())
        return true;
    std::size_t at = skipSign(text, skipBlanks(text));
    const std::size_t integerEnd = skipDigits(text, at);
    std::size_t mantissaEnd = integerEnd;
    std::size_t digits = integerEnd - at;
    if (mantissaEnd < text.size() && text[mantissaEnd] == '.') {
        const std::size_t fractionEnd = skipDigits(text, mantissaEnd + 1);
        digits += fractionEnd - (mantissaEnd + 1);
        mantissaEnd = fractionEnd;
    }
    if (digits == 0)
        return false;
    if (mantissaEnd == text.size())
        return true;
    if (text[mantissaEnd] != 'e' && text[mantissaEnd] != 'E')
        return false;
    const std::size_t exponentDigits = skipSign(text, mantissaEnd + 1);
    const std::size_t end = skipDigits(text, exponentDigits);
    return end > exponentDigits && end == text.size();
}

double decimalValue(std::string_view text) {
    std::size_t at = skipBlanks(text);
    const bool negative = at < text.size() && text[at] == '-';
    at = skipSign(text, at);
    double value = 0.0;
    const auto result = std::from_chars(text.data() + at, text.data() + text.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = decimalOrder(text, at) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

} // namespace qdx
