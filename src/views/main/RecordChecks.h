#pragma once

#include "model/Wording.h"

#include "model/MatchKind.h"

#include <optional>
#include <string>
#include <vector>

namespace qdx {

// What the main window's record commands check on the selected row before they run. Each check
// gets the row's mark ("*", "u" or empty; none without a selected row) and returns the message
// that stops the command, shown with the exclamation icon, or nothing when it may go on.
using RowMark = std::optional<std::string>;

// 修正 and QRコード生成.
std::optional<std::string> modifyRefusal(const RowMark& mark);
// 削除: a row, and not an identified one.
std::optional<std::string> deleteRefusal(const RowMark& mark);
// 照合履歴.
std::optional<std::string> historyRefusal(const RowMark& mark);
// 比較表示: a row marked exactly "*".
std::optional<std::string> compareRefusal(const RowMark& mark);

// The question before a delete, from the kinds of the record's match rows: the prefix naming
// examined and other-person rows, then "本当に削除しますがよろしいですか？".
std::string deleteQuestion(const std::vector<MatchKind>& kinds, const Wording& wording = {});
// Shown once the record is gone.
inline constexpr const char* kDeletedMessage = "削除しました。";

} // namespace qdx
