#include "store/StoreError.h"

namespace qdx {

const char* storeErrorMessage(int id) {
    switch (id) {
    case ErrOpen:
        return "データベースファイルをオープンできませんでした。 ";
    case ErrCreate:
        return "データベースが作成できませんでした。 ";
    case ErrBegin:
        return "データベースを開始できませんでした。  ";
    case ErrCommit:
        return "更新データの登録に失敗しました。データベースは元のまま保存されます。";
    case ErrRollback:
        return "データを元の状態に戻せませんでした。";
    case ErrRead:
        return "データの読み込みに失敗しました。";
    case ErrStep:
        return "該当データがありませんでした。";
    case ErrInsert:
        return "新規データの登録に失敗しました。";
    case ErrUpdate:
        return "修正データの更新に失敗しました。";
    case ErrBusy:
        return "データベースは使用中です。";
    case ErrReadOnly:
        return "プロジェクトファイルに書き込めません。ファイルとそのフォルダが書き込み禁止になって"
               "いないか確認してください。";
    case ErrFileGone:
        return "プロジェクトファイルが開いている間に削除されたか別のファイルに置き換えられたため、"
               "保存できませんでした。保存していない変更は取り消されました。";
    default:
        return "";
    }
}

StoreError::StoreError(int id, std::string databaseText)
    : std::runtime_error(std::string(storeErrorMessage(id)) + "\n" + databaseText), m_id(id),
      m_message(storeErrorMessage(id)), m_databaseText(std::move(databaseText)) {}

} // namespace qdx
