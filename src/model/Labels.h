#pragma once

#include <string>
#include <string_view>

namespace qdx {

// The label tables come in a Japanese and an English column; Japanese is the program's choice.
enum class Language { Japanese = 0, English = 1 };

std::string_view sexLabel(const std::string& code, Language language = Language::Japanese);
std::string_view ageGroupLabel(const std::string& code, Language language = Language::Japanese);
// Class 1..6; empty for any other value.
std::string_view classShortLabel(int toothClass);
std::string_view classDescription(int toothClass);

inline constexpr int kAgeGroupCount = 12;
inline constexpr std::string_view kClassLegend =
    "1:健全歯 2:金属による部分修復 3:全部修復 4:C4,欠損 5:情報なし 6:歯あり";
inline constexpr std::string_view kClassLegendMarks = " d:乳歯 #:一致";
inline constexpr std::string_view kDeciduousLegend = "乳歯　　 A-E\n永久歯　1-8";

std::string_view sideLabel(int side);        // "死後" / "生前"
std::string_view sideBracketLabel(int side); // "[死後]" / "[生前]"

} // namespace qdx
