#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qdx {

struct IdParts {
    std::string upper; // EXT_IDu
    std::string lower; // EXT_IDl
};

// upper + "-" + lower.
std::string composeDisplayId(std::string_view upper, std::string_view lower);
// Splits at the first "-"; without one the whole text is the lower part.
IdParts splitDisplayId(const std::string& displayId);

// Result of checking the two typed ID parts before a record is stored.
struct IdCheck {
    std::optional<std::string> error; // the message to show, if a rule failed
    bool upperField = false;          // which field gets the focus
    std::string lower;                // the lower part as stored: "%05d"
};

// Checks the rules in order; `exists` answers whether a displayId already names another record
// of the same side.
IdCheck checkRecordId(const std::string& upper, const std::string& lower,
                      const std::function<bool(const std::string&)>& exists);

} // namespace qdx
