#pragma once

#include <string>
#include <string_view>

namespace qdx {

// The outcome recorded for a post-mortem / ante-mortem pair, stored as one digit in KIND.
// Kinds compare as text, so "0" < "1" < "2" puts same-person rows before the others.
enum class MatchKind : int {
    Identified = 0,         // identified, partner not named
    IdentifiedByChart = 1,  // same person, by the dental chart
    IdentifiedByOther = 2,  // same person, by other information
    UnderInvestigation = 3, // under examination
    Imposter = 4,           // other person
};

// The KIND text of a kind: "0".."4".
std::string kindText(MatchKind kind);
// True for "0", "1" and "2", the kinds every rule treats as the same person.
bool isSamePersonKind(std::string_view kind);
// List mark of a kind: "*" for "0".."2", "u" for "3", "i" for "4", "" otherwise. The main
// window's record lists leave kind "4" unmarked (showImposter false).
std::string_view matchMark(std::string_view kind, bool showImposter = true);

inline constexpr std::string_view kMatchLegendFull = "*：判明済み／i：他人／u：鑑定中";
inline constexpr std::string_view kMatchLegendMain = "*：判明済み／u：鑑定中";
inline constexpr std::string_view kMatchLegendBridge =
    "b:ブリッジあり／*：判明済み／i：他人／u：鑑定中";

} // namespace qdx
