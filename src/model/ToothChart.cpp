#include "model/ToothChart.h"

namespace qdx {

const std::array<std::string_view, kToothCount>& toothColumnNames() {
    static const std::array<std::string_view, kToothCount> names = {
        "dru8", "dru7", "dru6", "dru5", "dru4", "dru3", "dru2", "dru1", "dlu1", "dlu2", "dlu3",
        "dlu4", "dlu5", "dlu6", "dlu7", "dlu8", "dld8", "dld7", "dld6", "dld5", "dld4", "dld3",
        "dld2", "dld1", "drd1", "drd2", "drd3", "drd4", "drd5", "drd6", "drd7", "drd8"};
    return names;
}

const std::array<std::string_view, kToothCount>& toothPictureNames() {
    static const std::array<std::string_view, kToothCount> names = {
        "ur8", "ur7", "ur6", "ur5", "ur4", "ur3", "ur2", "ur1", "ul1", "ul2", "ul3",
        "ul4", "ul5", "ul6", "ul7", "ul8", "ll8", "ll7", "ll6", "ll5", "ll4", "ll3",
        "ll2", "ll1", "lr1", "lr2", "lr3", "lr4", "lr5", "lr6", "lr7", "lr8"};
    return names;
}

int toothNumber(int position) {
    const int inQuadrant = position % 8;
    const bool descending = position < 8 || (position >= 16 && position < 24);
    return descending ? 8 - inQuadrant : inQuadrant + 1;
}

std::string_view quadrantLabel(int position) {
    static const std::string_view labels[] = {"右上", "左上", "左下", "右下"};
    return labels[(position / 8) & 3];
}

std::string toothHeading(int position) {
    return std::string(quadrantLabel(position)) + std::to_string(toothNumber(position));
}

std::string toothHeading(int position, const Wording& wording) {
    const std::string pattern = std::string(quadrantLabel(position)) + "%1";
    return fillText(worded(wording, pattern), {std::to_string(toothNumber(position))});
}

bool canBeDeciduous(int position) {
    return toothNumber(position) <= 5;
}

ChartStrings ChartStrings::defaults() {
    return {std::string(kToothCount, '5'), std::string(kToothCount, '0'),
            std::string(kToothCount, '0'), std::string(kToothCount, '0')};
}

ChartStrings ChartStrings::empty() {
    return {};
}

static char charAt(const std::string& s, int position, char fallback) {
    return position < static_cast<int>(s.size()) ? s[position] : fallback;
}

std::string buildToothCode(const ChartStrings& chart, int position) {
    std::string code(kToothCodeLength, '0');
    code[0] = charAt(chart.classChart, position, '5');
    code[1] = charAt(chart.bridgeChart, position, '0');
    code[5] = charAt(chart.presentChart, position, '0');
    code[6] = charAt(chart.deciduousChart, position, '0');
    return code;
}

void appendToothCode(ChartStrings& chart, std::string_view code) {
    if (code.size() != 5 && code.size() != kToothCodeLength)
        code = kDefaultToothCode;
    chart.classChart += code[0];
    chart.bridgeChart += code[1];
    if (code.size() == 5) {
        chart.presentChart += '0';
        chart.deciduousChart += '0';
    } else {
        chart.presentChart += code[5];
        chart.deciduousChart += code[6];
    }
}

int effectiveClass(const ChartStrings& chart, int position) {
    const char c = charAt(chart.classChart, position, '0');
    const char p = charAt(chart.presentChart, position, '0');
    if (c < '0' || c > '9' || p < '0' || p > '9')
        return 0;
    return (c - '0') + (p - '0');
}

} // namespace qdx
