#include "model/Labels.h"

#include <array>
#include <cstdlib>

namespace qdx {

namespace {

struct LabelPair {
    std::string_view japanese;
    std::string_view english;
};

std::string_view pick(const LabelPair& pair, Language language) {
    return language == Language::English ? pair.english : pair.japanese;
}

// Index of a decimal code within [0, count), or -1.
int codeIndex(const std::string& code, int count) {
    if (code.empty() || code.size() > 3)
        return -1;
    for (char c : code) {
        if (c < '0' || c > '9')
            return -1;
    }
    const int value = std::atoi(code.c_str());
    return value < count ? value : -1;
}

const std::array<LabelPair, 3> kSexLabels = {{
    {"不明", "Unknown"},
    {"男性", "Male"},
    {"女性", "Female"},
}};

const std::array<LabelPair, kAgeGroupCount> kAgeLabels = {{
    {"不明", "Unknown"},
    {"0～9才", "0 to 9"},
    {"10代", "10's"},
    {"20代", "20's"},
    {"30代", "30's"},
    {"40代", "40's"},
    {"50代", "50's"},
    {"60代", "60's"},
    {"70代", "70's"},
    {"80代", "80's"},
    {"90代", "90's"},
    {"100才以上", "Over 100"},
}};

const std::array<std::string_view, 6> kClassShort = {
    "健全歯、齲蝕歯", "金属による部分修復", "全部修復", "C4、欠損", "情報なし", "歯あり"};

const std::array<std::string_view, 6> kClassDescriptions = {
    "健全歯、齲蝕歯\r\n（Ｃ１・Ｃ２・Ｃ３で治療の痕跡のないもの）\r\nＣＲ充填など",
    "金属による部分修復\r\n（インレー・部分冠・アマルガム充填等\r\n歯冠部の一部分のみ金属で修復"
    "しているもの）",
    "全部修復\r\n（全部冠・ジャケット冠・ポスト冠等、\r\n歯冠部全体を修復しているもの）",
    "Ｃ４（コーピングも含む）、\r\n欠損（ポンティック・義歯・\r\nインプラント等で補綴されている"
    "場合を含む）",
    "情報なし\r\n（カルテ未記載や遺体の部分的な欠如）",
    "歯あり\r\n（歯の状態は不明・死後脱落等で所見の不明なもの）",
};

} // namespace

std::string_view sexLabel(const std::string& code, Language language) {
    const int i = codeIndex(code, static_cast<int>(kSexLabels.size()));
    return i < 0 ? std::string_view() : pick(kSexLabels[i], language);
}

std::string_view ageGroupLabel(const std::string& code, Language language) {
    const int i = codeIndex(code, kAgeGroupCount);
    return i < 0 ? std::string_view() : pick(kAgeLabels[i], language);
}

std::string_view classShortLabel(int toothClass) {
    return toothClass >= 1 && toothClass <= 6 ? kClassShort[toothClass - 1] : std::string_view();
}

std::string_view classDescription(int toothClass) {
    return toothClass >= 1 && toothClass <= 6 ? kClassDescriptions[toothClass - 1]
                                              : std::string_view();
}

std::string_view sideLabel(int side) {
    return side == 0 ? "死後" : "生前";
}

std::string_view sideBracketLabel(int side) {
    return side == 0 ? "[死後]" : "[生前]";
}

} // namespace qdx
