#pragma once

#include "store/SettingsRow.h"
#include "store/SettingsTable.h"

#include <array>
#include <string>

namespace qdx {

// The main window's four search choices, stored in DIVISION, RANK, SORT and MATCH.
struct SearchConditions {
    int searchDirection = 0; // 0 "生前→死後" (ante-mortem searches post-mortem), 1 "死後→生前"
    int topNIndex = -1;   // shows the best topNIndex + 1 candidates; -1 nothing selected
    int rankKey = 0;      // 0 exact, 1 full restoration/missing, 2 no contradiction, 3 score
    int hideExcluded = 0; // 1 hides charts whose outcome is already recorded

    bool operator==(const SearchConditions&) const = default;
};

using Scores5 = std::array<double, 25>;
using Scores6 = std::array<double, 36>;

// A project's search settings. The matrices are column-major: SCORE k (k from 1) is the weight
// of column class (k-1)/n+1 (the candidate's class) and row class (k-1)%n+1 (the searching
// chart's class), n = 5 or 6.
struct SearchSettings {
    SearchSettings(); // the defaults of a new project

    std::string projectName;
    int factor = 2;
    Scores5 amToPmScores5{}; // TB_SETUP row 1, "生前→死後"
    Scores5 pmToAmScores5{}; // TB_SETUP row 2, "死後→生前"
    Scores6 amToPmScores6{}; // TB_SETUP_PRO row 1
    Scores6 pmToAmScores6{}; // TB_SETUP_PRO row 2
    SearchConditions conditions;
    int bridge = 0; // read from BRIDGE, used by nothing
    std::array<std::string, 6> rulers;
    int rowTwoMarker = 2; // row 2 PROJECTNAME as a number

    // Back to the defaults; projectName is kept (it is the file's name for a new project).
    void reset();

    // The six-class matrix the searches of a direction use.
    const Scores6& scores6(int searchDirection) const {
        return searchDirection == 0 ? amToPmScores6 : pmToAmScores6;
    }
    // Weight of a pair of six-class classes (1..6) in a direction, by the chart sides.
    double weight6(int searchDirection, int candidateClass, int searchingClass) const {
        return scores6(searchDirection)[(candidateClass - 1) * 6 + (searchingClass - 1)];
    }

    static const Scores5& defaultAmToPmScores5();
    static const Scores5& defaultPmToAmScores5();
    static const Scores6& defaultScores6(int row); // row 1 or 2

    // Row n (1 or 2) of a settings table built from these settings.
    SettingsRow buildRow(SettingsTable table, int n) const;
    // Reads row 1 (everything it carries) or row 2 (marker and scores) into these settings.
    // Returns false when row 2's PROJECTNAME equals projectName (the marker is then reset to 2).
    bool applyRow(SettingsTable table, int n, const SettingsRow& row);
};

// "%f" of a score, independent of the C locale ("0.062100").
std::string formatScore(double value);
// atof reading independent of the C locale: an empty or non-numeric text reads as 0.
double parseScore(const std::string& text);
// atoi reading: leading blanks, a sign and digits; anything else reads as 0. Clamped to int.
int parseInteger(const std::string& text);

} // namespace qdx
