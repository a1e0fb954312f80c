#pragma once

#include "model/DentalRecord.h"
#include "model/ToothChart.h"

#include <array>

namespace qdx {

// The six bulk buttons of the entry dialog. Each sets the class and present flag of a range of
// teeth and leaves the bridge and deciduous marks alone.
enum class BulkSetting {
    AllPresent,       // 全て「歯あり」
    AllSound,         // 全て「健全歯」
    AllNoInformation, // 全て「情報なし」
    UpperMissing,     // 上顎全て「欠損」
    AllMissing,       // 全て「欠損」
    LowerMissing,     // 下顎全て「欠損」
};

// A bulk button as the dialog shows it: caption, object name and what it sets, in the order
// the dialog lays them out (three rows, two columns).
struct BulkButton {
    const char* caption;
    const char* name;
    BulkSetting setting;
};
inline constexpr BulkButton kBulkButtons[] = {
    {"全て「歯あり」", "allPresentButton", BulkSetting::AllPresent},
    {"全て「健全歯」", "allSoundButton", BulkSetting::AllSound},
    {"全て「情報なし」", "allNoInformationButton", BulkSetting::AllNoInformation},
    {"上顎全て「欠損」", "upperMissingButton", BulkSetting::UpperMissing},
    {"全て「欠損」", "allMissingButton", BulkSetting::AllMissing},
    {"下顎全て「欠損」", "lowerMissingButton", BulkSetting::LowerMissing},
};

// The chart as the entry dialog edits it: per position the class counted from 0 (0..4) and
// the three flags. Class index 4 with the present flag is the state 歯あり.
struct EntryChart {
    using Teeth = std::array<int, kToothCount>;

    Teeth classIndex{};
    Teeth bridgeFlag{};
    Teeth presentFlag{};
    Teeth deciduousFlag{};

    EntryChart(); // every tooth 情報なし, no marks
    // A stored character that is not a class digit 1..5 reads as 情報なし and a flag other
    // than '0' as set, so that every state can be drawn and cycled.
    static EntryChart fromRecord(const DentalRecord& record);

    // One left click (or double click) on a tooth: 1 -> 2 -> 3 -> 4 -> 5 -> 歯あり -> 1.
    void stepForward(int tooth);
    // One right click on a tooth: the same cycle backwards.
    void stepBackward(int tooth);
    void toggleBridge(int position);
    // Only teeth 1..5 carry the deciduous mark; false (nothing changed) for teeth 6..8.
    bool toggleDeciduous(int position);
    void apply(BulkSetting setting);

    // The picture kind of each tooth: class index + present flag (5 = 歯あり).
    Teeth pictureKinds() const;
    // Effective class 1..6 of a tooth.
    int effectiveClass(int position) const { return pictureKinds()[position] + 1; }

    bool operator==(const EntryChart&) const = default;
};

} // namespace qdx
