#include "matching/PairResult.h"

namespace qdx {

std::string candidateMark(const MatchKind& outcome) {
    return std::string(outcome.mark());
}

std::string searchingMark(const MatchKind& matchKind) {
    return std::string(matchKind.listMark());
}

} // namespace qdx
