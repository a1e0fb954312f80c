#pragma once

#include "model/Labels.h"

#include <compare>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace qdx {

// The outcome recorded for a post-mortem / ante-mortem pair (TB_MATCH.KIND, and a record's
// MATCH_KIND): stored as one digit "0".."4". Two more states come from what is read:
// - none: the empty text, a record without a complete match row (no outcome);
// - another text: a damaged or foreign file. It is kept exactly as read, so that saving a
//   history or exporting the project writes it back unchanged, and otherwise counts as no
//   outcome: not identified, no mark, no label, no partner.
class MatchKind {
public:
    enum Value : std::int8_t {
        Identified = 0,         // identified, partner not named
        IdentifiedByChart = 1,  // same person, by the dental chart
        IdentifiedByOther = 2,  // same person, by other information
        UnderInvestigation = 3, // under examination
        Imposter = 4,           // other person
    };

    // None: no recorded outcome.
    MatchKind() = default;
    MatchKind(Value value) : m_value(value) {} // NOLINT: a kind is its value

    // The kind of a stored KIND text; see above for the empty and any other text.
    static MatchKind fromStored(std::string_view text);
    // The text to store: "0".."4", or the text a damaged row was read with.
    std::string storedText() const;

    // The kind, when the stored text was one of "0".."4".
    std::optional<Value> value() const;
    bool isNone() const { return m_value < 0 && m_other.empty(); }
    // One of the five kinds: such a pair or candidate has a recorded outcome.
    bool isRecorded() const { return m_value >= 0; }
    // Kinds 0, 1 and 2: every rule treats them alike as identified.
    bool isIdentified() const { return isRecorded() && m_value <= IdentifiedByOther; }
    // Kinds 1 and 2, 同一人物: the row names the record identified as the same person.
    bool namesPartner() const {
        return m_value == IdentifiedByChart || m_value == IdentifiedByOther;
    }

    // The mark beside a candidate in the search views: "*" identified, "u" under examination,
    // "i" other person, nothing otherwise.
    std::string_view mark() const;
    // The mark of a record in the main window's lists (and of a searching chart): as mark(),
    // but other persons are left unmarked.
    std::string_view listMark() const;
    // The match-state label: "判明済み", "デンタルチャートで判明", "他の情報で判明", "鑑定中",
    // "他人"; "判明していない" for none; empty for a text that is no kind.
    std::string_view stateLabel(Language language = Language::Japanese) const;

    friend bool operator==(const MatchKind&, const MatchKind&) = default;
    // The order of the stored texts, which the match table sorts by: "0" first, "4" last.
    friend std::strong_ordering operator<=>(const MatchKind& a, const MatchKind& b) {
        return a.storedText() <=> b.storedText();
    }

private:
    std::int8_t m_value = -1; // -1: none or another text
    std::string m_other;      // the stored text when it is no kind
};

// Writes the stored text (test failures print kinds this way).
std::ostream& operator<<(std::ostream& out, const MatchKind& kind);

inline constexpr std::string_view kMatchLegendFull = "*：判明済み／i：他人／u：鑑定中";
inline constexpr std::string_view kMatchLegendMain = "*：判明済み／u：鑑定中";
inline constexpr std::string_view kMatchLegendBridge =
    "b:ブリッジあり／*：判明済み／i：他人／u：鑑定中";

} // namespace qdx
