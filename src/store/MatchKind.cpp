#include "store/MatchKind.h"

namespace qdx {

std::string kindText(MatchKind kind) {
    return std::to_string(static_cast<int>(kind));
}

bool isSamePersonKind(std::string_view kind) {
    return kind == "0" || kind == "1" || kind == "2";
}

std::string_view matchMark(std::string_view kind, bool showImposter) {
    if (isSamePersonKind(kind))
        return "*";
    if (kind == "3")
        return "u";
    if (kind == "4" && showImposter)
        return "i";
    return "";
}

} // namespace qdx
