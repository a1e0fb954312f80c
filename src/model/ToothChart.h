#pragma once

#include "model/Wording.h"

#include <array>
#include <string>
#include <string_view>

namespace qdx {

// 0 = post-mortem (TB_AFTER), 1 = ante-mortem (TB_BEFOR).
enum RecordSide : int { PostMortem = 0, AnteMortem = 1 };

constexpr int kToothCount = 32;
constexpr std::size_t kToothCodeLength = 10;
inline constexpr std::string_view kDefaultToothCode = "5000000000";

// Positions 0..31: upper right 8..1, upper left 1..8, lower left 8..1, lower right 1..8.
const std::array<std::string_view, kToothCount>& toothColumnNames();
// Picture names of the chart drawing: ur8..ur1, ul1..ul8, ll8..ll1, lr1..lr8.
const std::array<std::string_view, kToothCount>& toothPictureNames();
// The tooth number 1..8 at a position.
int toothNumber(int position);
// "右上", "左上", "左下", "右下" for the quadrant of a position.
std::string_view quadrantLabel(int position);
// "右上%d" style heading used in printouts and exports.
std::string toothHeading(int position);
// The heading in the wording given: "右上%1" worded, with the tooth number in place of "%1".
std::string toothHeading(int position, const Wording& wording);
// Only tooth numbers 1..5 can carry the deciduous mark.
bool canBeDeciduous(int position);

// In memory a chart is four strings of 32 ASCII characters.
struct ChartStrings {
    std::string classChart;
    std::string bridgeChart;
    std::string presentChart;
    std::string deciduousChart;

    static ChartStrings defaults();
    static ChartStrings empty();
};

// Ten-character per-tooth code stored in the database for a position.
std::string buildToothCode(const ChartStrings& chart, int position);
// Appends one position read from a stored code. Stored files may hold the old five-character
// form; codes of any length other than 5 or 10 read as "5000000000".
void appendToothCode(ChartStrings& chart, std::string_view code);
// Class digit plus present flag: 1..6 (0 when the chart characters are not digits).
int effectiveClass(const ChartStrings& chart, int position);

} // namespace qdx
