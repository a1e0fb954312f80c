#include "views/main/RecordChecks.h"

#include "views/main/DeleteQuestion.h"

namespace qdx {

namespace {

// Every command names itself in the message it shows without a selected row.
const char* const kNoModifyTarget =
    "修正対象が選択されていません。\n再度、行を選択し修正ボタンを押下してください。";
const char* const kNoDeleteTarget =
    "削除対象が選択されていません。\n再度、行を選択し削除ボタンを押下してください。";
const char* const kNoHistoryTarget = "照合履歴設定対象が選択されていません。再度、行を選択し照合履"
                                     "歴ボタンを押下してください。";
const char* const kNoCompareTarget = "判明データ比較表示対象が選択されていません。再度、行を選択し"
                                     "比較表示ボタンを押下してください。";

// The message without a row, then the one for a mark the command refuses.
std::optional<std::string> check(const RowMark& mark, const char* noRow, bool wrongMark = false,
                                 const char* wrongMarkText = "") {
    if (!mark) {
        return std::string(noRow);
    }
    if (wrongMark) {
        return std::string(wrongMarkText);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> modifyRefusal(const RowMark& mark) {
    return check(mark, kNoModifyTarget);
}

std::optional<std::string> deleteRefusal(const RowMark& mark) {
    return check(mark, kNoDeleteTarget, mark && mark->starts_with('*'),
                 "判明済みのデータは削除できません。");
}

std::optional<std::string> historyRefusal(const RowMark& mark) {
    return check(mark, kNoHistoryTarget);
}

std::optional<std::string> compareRefusal(const RowMark& mark) {
    return check(mark, kNoCompareTarget, mark && *mark != "*",
                 "判明済みデータを選択してください。");
}

std::string deleteQuestion(const std::vector<MatchKind>& kinds, const Wording& wording) {
    const std::string prefix = deleteQuestionPrefix(kinds);
    return (prefix.empty() ? prefix : worded(wording, prefix)) +
           worded(wording, "本当に削除しますがよろしいですか？");
}

} // namespace qdx
