#include "io/FieldRules.h"

#include <climits>

namespace qdx::fieldrules {

bool isDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

int integerValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

int monthLength(int month) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? kDays[month - 1] : 0;
}

bool validDay(int month, int day) {
    return day >= 1 && day <= monthLength(month);
}

std::string wrapLongPath(const std::string& path) {
    // Counted in characters, so a line break never splits a multi-byte character.
    std::size_t characters = 0;
    std::size_t cut = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if ((static_cast<unsigned char>(path[i]) & 0xC0) == 0x80) {
            continue;
        }
        ++characters;
        if (characters == 51) {
            cut = i;
        }
    }
    if (cut == std::string::npos) {
        return path;
    }
    return path.substr(0, cut) + "\n" + path.substr(cut);
}

} // namespace qdx::fieldrules
