#include "matching/PairResult.h"

namespace qdx {

bool isIdentifiedKind(const std::string& kind) {
    return kind == "0" || kind == "1" || kind == "2";
}

bool isRecordedOutcome(const std::string& outcome) {
    return isIdentifiedKind(outcome) || isGreyOutcome(outcome);
}

bool isGreyOutcome(const std::string& outcome) {
    return outcome == "3" || outcome == "4";
}

std::string candidateMark(const std::string& outcome) {
    if (isIdentifiedKind(outcome))
        return "*";
    if (outcome == "3")
        return "u";
    if (outcome == "4")
        return "i";
    return "";
}

std::string searchingMark(const std::string& matchKind) {
    if (isIdentifiedKind(matchKind))
        return "*";
    return matchKind == "3" ? "u" : "";
}

} // namespace qdx
