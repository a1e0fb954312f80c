#include "model/MatchKind.h"

#include <array>
#include <ostream>

namespace qdx {

namespace {

struct LabelPair {
    std::string_view japanese;
    std::string_view english;
};

const std::array<LabelPair, 5> kStateLabels = {{
    {"判明済み", "Identified"},
    {"デンタルチャートで判明", "Identified at dental chart"},
    {"他の情報で判明", "Identified at other information"},
    {"鑑定中", "Under investigation"},
    {"他人", "Imposter"},
}};

const LabelPair kUnidentified = {"判明していない", "Unidentified"};

std::string_view pick(const LabelPair& pair, Language language) {
    return language == Language::English ? pair.english : pair.japanese;
}

} // namespace

MatchKind MatchKind::fromStored(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '4')
        return MatchKind(static_cast<Value>(text[0] - '0'));
    MatchKind kind;
    kind.m_other = std::string(text);
    return kind;
}

std::string MatchKind::storedText() const {
    return isRecorded() ? std::string(1, static_cast<char>('0' + m_value)) : m_other;
}

std::optional<MatchKind::Value> MatchKind::value() const {
    if (!isRecorded())
        return std::nullopt;
    return static_cast<Value>(m_value);
}

std::string_view MatchKind::mark() const {
    if (isIdentified())
        return "*";
    if (m_value == UnderInvestigation)
        return "u";
    return m_value == Imposter ? "i" : "";
}

std::string_view MatchKind::listMark() const {
    return m_value == Imposter ? "" : mark();
}

std::string_view MatchKind::stateLabel(Language language) const {
    if (isNone())
        return pick(kUnidentified, language);
    return isRecorded() ? pick(kStateLabels[static_cast<std::size_t>(m_value)], language)
                        : std::string_view();
}

std::ostream& operator<<(std::ostream& out, const MatchKind& kind) {
    return out << '"' << kind.storedText() << '"';
}

} // namespace qdx
