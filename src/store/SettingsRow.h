#pragma once

#include <array>
#include <string>

namespace qdx {

// One row of TB_SETUP or TB_SETUP_PRO as the table functions exchange it; every field is text.
// MATCH holds the in-memory sense (hide-excluded); the table functions invert it.
struct SettingsRow {
    static constexpr int kMaxScores = 36;
    static constexpr int kMaxRulers = 6;

    SettingsRow();

    std::string ID;
    std::string PROJECTNAME;
    std::string FACTOR = "2";
    std::array<std::string, kMaxScores> SCORE; // SCORE1 is SCORE[0]
    std::string DIVISION = "0";
    std::string RANK = "-1";
    std::string SORT = "0";
    std::string MATCH = "0";
    std::string BRIDGE = "0";
    std::array<std::string, kMaxRulers> RULER; // the class descriptions by default

    bool operator==(const SettingsRow&) const = default;
};

} // namespace qdx
