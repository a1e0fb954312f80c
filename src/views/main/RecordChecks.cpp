#include "views/main/RecordChecks.h"

#include "views/main/DeleteQuestion.h"

namespace qdx {

namespace {

// Every command names itself in the message it shows without a selected row.
std::optional<std::string> noRow(const RowMark& mark, const char* message) {
    if (mark) {
        return std::nullopt;
    }
    return std::string(message);
}

} // namespace

std::optional<std::string> modifyRefusal(const RowMark& mark) {
    return noRow(mark, "修正対象が選択されていません。\n"
                       "再度、行を選択し修正ボタンを押下してください。");
}

std::optional<std::string> deleteRefusal(const RowMark& mark) {
    if (auto refusal = noRow(mark, "削除対象が選択されていません。\n"
                                   "再度、行を選択し削除ボタンを押下してください。")) {
        return refusal;
    }
    if (mark->starts_with('*')) {
        return std::string("判明済みのデータは削除できません。");
    }
    return std::nullopt;
}

std::optional<std::string> historyRefusal(const RowMark& mark) {
    return noRow(mark, "照合履歴設定対象が選択されていません。"
                       "再度、行を選択し照合履歴ボタンを押下してください。");
}

std::optional<std::string> compareRefusal(const RowMark& mark) {
    if (auto refusal = noRow(mark, "判明データ比較表示対象が選択されていません。"
                                   "再度、行を選択し比較表示ボタンを押下してください。")) {
        return refusal;
    }
    if (*mark != "*") {
        return std::string("判明済みデータを選択してください。");
    }
    return std::nullopt;
}

std::string deleteQuestion(const std::vector<std::string>& kinds) {
    return deleteQuestionPrefix(kinds) + "本当に削除しますがよろしいですか？";
}

} // namespace qdx
