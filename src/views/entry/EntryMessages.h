#pragma once

#include <string_view>

namespace qdx::entry_messages {

// The identifier messages of a new record come from checkRecordId (model/RecordId.h); these
// are the entry dialog's own.
inline constexpr std::string_view kImportPrefixFound =
    "インポート時IDが重複したので、ID上位部の先頭に「IMPORT」が追加されています。修正してください"
    "。";
inline constexpr std::string_view kImportPrefixLeft =
    "インポート時ID上位部の先頭に追加された「IMPORT」が残っています。修正してください。";
inline constexpr std::string_view kNoPlace = "場所が指定されていません。保存してよろしいですか？";
inline constexpr std::string_view kNoPartner =
    "判明IDが指定されていません。保存してよろしいですか？";
inline constexpr std::string_view kDiscard = "データを保存しません。よろしいですか？";
// Marks an ID upper part that a project import had to change.
inline constexpr std::string_view kImportPrefix = "IMPORT";

} // namespace qdx::entry_messages
