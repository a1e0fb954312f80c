#include "model/RecordId.h"

#include <cstdio>

namespace qdx {

std::string composeDisplayId(std::string_view upper, std::string_view lower) {
    std::string id;
    id.reserve(upper.size() + 1 + lower.size());
    id.append(upper);
    id += '-';
    id.append(lower);
    return id;
}

IdParts splitDisplayId(const std::string& displayId) {
    const auto dash = displayId.find('-');
    if (dash == std::string::npos)
        return {"", displayId};
    return {displayId.substr(0, dash), displayId.substr(dash + 1)};
}

static bool allAsciiDigits(const std::string& text) {
    for (unsigned char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

static IdCheck failed(const char* message, bool upperField) {
    IdCheck check;
    check.error = message;
    check.upperField = upperField;
    return check;
}

IdCheck checkRecordId(const std::string& upper, const std::string& lower,
                      const std::function<bool(const std::string&)>& exists) {
    if (upper.empty())
        return failed("ID上位部が指定されていません。", true);
    if (upper.find('-') != std::string::npos)
        return failed("ID上位部に\"-\"(ハイフン)は指定できません。", true);
    if (lower.empty())
        return failed("ID下位部が指定されていません。", false);
    if (!allAsciiDigits(lower))
        return failed("ID下位部に数字以外が指定されています。", false);
    // Compare by length first so that long digit strings cannot overflow.
    const auto firstNonZero = lower.find_first_not_of('0');
    const std::string significant =
        firstNonZero == std::string::npos ? "0" : lower.substr(firstNonZero);
    if (significant.size() > 5)
        return failed("ID下位部は0～99999で指定してください。", false);
    char formatted[8];
    std::snprintf(formatted, sizeof formatted, "%05d", std::stoi(significant));
    IdCheck check;
    check.lower = formatted;
    if (exists && exists(composeDisplayId(upper, check.lower)))
        return failed("IDはすでに登録されています。", true);
    return check;
}

} // namespace qdx
