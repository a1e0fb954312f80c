#include "model/Wording.h"

namespace qdx {

std::string worded(const Wording& wording, std::string_view japanese) {
    return wording ? wording(japanese) : std::string(japanese);
}

std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto number = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && number < arguments.size()) {
            text += *(arguments.begin() + number);
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace qdx
