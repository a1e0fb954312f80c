#pragma once

#include <string>
#include <string_view>

namespace qdx {

class ProjectModel;

inline constexpr std::string_view kMergeQuestion =
    "現在のデータに追加します。追加する場合「はい」を選択してください。\n"
    "新規にデータを取り込む場合、「いいえ」を選択し、プロジェクトを切り替えてください。\n"
    "追加するときにIDが重複していると、ID上位部の先頭に「IMPORT」を追加して登録されます。\n"
    "インポート終了後修正してください。\n";
inline constexpr std::string_view kMergeRenamedMessage =
    "IDが重複したため、ID上位部の先頭に「IMPORT」を追加しました。\n修正してください。";

// Adds every record and complete match row of another project file to the open project. A
// record whose ID exists on its side gets "IMPORT" in front of its ID (again for each clash)
// and valid "2"; the match rows follow their records to the new keys. Returns the number of
// prefixings (the caller shows kMergeRenamedMessage when it is not 0). Store failures,
// including a source that cannot be opened, are thrown as StoreError.
int mergeProject(ProjectModel& model, const std::string& sourcePath, bool fastLookup = true);

} // namespace qdx
