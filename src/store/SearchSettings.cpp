#include "store/SearchSettings.h"

#include "model/Labels.h"

#include <cctype>
#include <charconv>
#include <limits>

namespace qdx {

namespace {

// Weights of a new project as weight(post-mortem class p, ante-mortem class a), p by rows.
constexpr double kDefault5AmToPm[5][5] = {
    {0.0621, 0, 0, 0, 0},
    {0.0239, 0.3778, 0.0239, 0, 0},
    {0.0239, 0.0239, 0.9951, -0.995, 0},
    {0.0239, 0, 0.0001, 0.0367, 0},
    {0, 0, 0, 0, 0},
};
constexpr double kDefault5PmToAm[5][5] = {
    {0.2452, -0.0708, -0.0518, -0.0875, 0},
    {-0.0544, 0.6984, -0.0385, -0.0544, 0},
    {-0.0875, -0.0597, 0.8525, -0.0875, 0},
    {-0.0792, -0.0875, -0.0875, 0.0181, 0},
    {0, 0, 0, 0, 0},
};
constexpr double kDefault6[6][6] = {
    {0.0144, 0.188, 0.1882, -0.0061, 0, 0.4902},
    {0.0144, 0.5534, 0.1894, 0, 0, 0.3555},
    {0.0144, 0.1896, 0.6105, 0.0035, 0, 0.5397},
    {-0.0023, -0.0027, -0.0059, 0.5, 0, 0.0066},
    {0, 0, 0, 0, 0, 0},
    {0.0144, 0.4999, 0.4839, -0.0027, 0, 0.4936},
};

// Stored layout: row 1's column class is post-mortem (k = n(p-1)+a), row 2's ante-mortem
// (k = n(a-1)+p).
template <std::size_t N, typename Table>
std::array<double, N * N> storedMatrix(const Table& weights, bool postMortemColumns) {
    std::array<double, N * N> stored{};
    for (std::size_t p = 0; p < N; ++p) {
        for (std::size_t a = 0; a < N; ++a) {
            const std::size_t k = postMortemColumns ? N * p + a : N * a + p;
            stored[k] = weights[p][a];
        }
    }
    return stored;
}

template <std::size_t Size>
void fillScores(SettingsRow& row, const std::array<double, Size>& scores) {
    for (std::size_t k = 0; k < Size; ++k)
        row.SCORE[k] = formatScore(scores[k]);
}

template <std::size_t Size>
void readScores(std::array<double, Size>& scores, const SettingsRow& row) {
    for (std::size_t k = 0; k < Size; ++k)
        scores[k] = parseScore(row.SCORE[k]);
}

std::size_t skipBlanks(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    return at;
}

// Values no window offers (written by other tools or damaged) read as the defaults, so every
// user of the conditions can rely on their ranges.
SearchConditions readConditions(const SettingsRow& row) {
    SearchConditions read;
    const int direction = parseInteger(row.DIVISION);
    const int topN = parseInteger(row.RANK);
    const int rank = parseInteger(row.SORT);
    read.searchDirection = direction == 0 || direction == 1 ? direction : 0;
    read.topNIndex = topN >= -1 ? topN : -1;
    read.rankKey = rank >= 0 && rank <= 3 ? rank : 0;
    read.hideExcluded = parseInteger(row.MATCH) != 0 ? 1 : 0;
    return read;
}

} // namespace

SearchSettings::SearchSettings() {
    reset();
}

void SearchSettings::reset() {
    factor = 2;
    amToPmScores5 = defaultAmToPmScores5();
    pmToAmScores5 = defaultPmToAmScores5();
    amToPmScores6 = defaultScores6(1);
    pmToAmScores6 = defaultScores6(2);
    conditions = SearchConditions{};
    for (int i = 0; i < 6; ++i)
        rulers[static_cast<std::size_t>(i)] = std::string(classDescription(i + 1));
    rowTwoMarker = 2;
}

const Scores5& SearchSettings::defaultAmToPmScores5() {
    static const Scores5 scores = storedMatrix<5>(kDefault5AmToPm, true);
    return scores;
}

const Scores5& SearchSettings::defaultPmToAmScores5() {
    static const Scores5 scores = storedMatrix<5>(kDefault5PmToAm, false);
    return scores;
}

const Scores6& SearchSettings::defaultScores6(int row) {
    static const Scores6 rowOne = storedMatrix<6>(kDefault6, true);
    static const Scores6 rowTwo = storedMatrix<6>(kDefault6, false);
    return row == 1 ? rowOne : rowTwo;
}

SettingsRow SearchSettings::buildRow(SettingsTable table, int n) const {
    SettingsRow row;
    row.ID = std::to_string(n);
    row.PROJECTNAME = n == 1 ? projectName : std::to_string(rowTwoMarker);
    row.FACTOR = std::to_string(factor);
    if (table == SettingsTable::Setup5)
        fillScores(row, n == 1 ? amToPmScores5 : pmToAmScores5);
    else
        fillScores(row, n == 1 ? amToPmScores6 : pmToAmScores6);
    row.DIVISION = std::to_string(conditions.searchDirection);
    row.RANK = std::to_string(conditions.topNIndex);
    row.SORT = std::to_string(conditions.rankKey);
    row.MATCH = std::to_string(conditions.hideExcluded);
    for (int k = 0; k < settings::rulerCount(table); ++k)
        row.RULER[static_cast<std::size_t>(k)] = rulers[static_cast<std::size_t>(k)];
    return row;
}

bool SearchSettings::applyRow(SettingsTable table, int n, const SettingsRow& row) {
    const bool five = table == SettingsTable::Setup5;
    if (n == 1) {
        projectName = row.PROJECTNAME;
        factor = parseInteger(row.FACTOR);
        if (five)
            readScores(amToPmScores5, row);
        else
            readScores(amToPmScores6, row);
        conditions = readConditions(row);
        bridge = parseInteger(row.BRIDGE);
        for (int k = 0; k < settings::rulerCount(table); ++k)
            rulers[static_cast<std::size_t>(k)] = row.RULER[static_cast<std::size_t>(k)];
        return true;
    }
    const bool markerRow = row.PROJECTNAME != projectName;
    rowTwoMarker = markerRow ? parseInteger(row.PROJECTNAME) : 2;
    if (five)
        readScores(pmToAmScores5, row);
    else
        readScores(pmToAmScores6, row);
    return markerRow;
}

std::string formatScore(double value) {
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    if (result.ec != std::errc())
        return "0.000000";
    return std::string(text, result.ptr);
}

double parseScore(const std::string& text) {
    std::size_t at = skipBlanks(text);
    if (at < text.size() && text[at] == '+')
        ++at;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + at, text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

int parseInteger(const std::string& text) {
    std::size_t at = skipBlanks(text);
    if (at < text.size() && text[at] == '+')
        ++at;
    long long value = 0;
    const auto result = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return text.find('-', at) == at ? std::numeric_limits<int>::min()
                                        : std::numeric_limits<int>::max();
    if (result.ec != std::errc())
        return 0;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

} // namespace qdx
