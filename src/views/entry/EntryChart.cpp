#include "views/entry/EntryChart.h"

namespace qdx {

namespace {

constexpr int kSound = 0;
constexpr int kMissing = 3;
constexpr int kNoInformation = 4;

bool validTooth(int position) {
    return position >= 0 && position < kToothCount;
}

int classIndexOf(char digit) {
    return digit >= '1' && digit <= '5' ? digit - '1' : kNoInformation;
}

int flagOf(char flag) {
    return flag == '0' ? 0 : 1;
}

// The character at a position, '0' past the end of a short stored chart.
char at(const std::string& chart, int position) {
    const auto i = static_cast<std::size_t>(position);
    return i < chart.size() ? chart[i] : '0';
}

} // namespace

EntryChart::EntryChart() {
    classIndex.fill(kNoInformation);
}

EntryChart EntryChart::fromRecord(const DentalRecord& record) {
    EntryChart chart;
    for (int i = 0; i < kToothCount; ++i) {
        const auto p = static_cast<std::size_t>(i);
        chart.classIndex[p] = classIndexOf(at(record.classChart, i));
        chart.bridgeFlag[p] = flagOf(at(record.bridgeChart, i));
        chart.presentFlag[p] = flagOf(at(record.presentChart, i));
        chart.deciduousFlag[p] = flagOf(at(record.deciduousChart, i));
    }
    return chart;
}

void EntryChart::stepForward(int tooth) {
    if (!validTooth(tooth))
        return;
    int& cls = classIndex[static_cast<std::size_t>(tooth)];
    int& present = presentFlag[static_cast<std::size_t>(tooth)];
    if (cls != kNoInformation) {
        ++cls;
    } else if (present != 0) {
        cls = kSound;
        present = 0;
    } else {
        present = 1;
    }
}

void EntryChart::stepBackward(int tooth) {
    if (!validTooth(tooth))
        return;
    int& cls = classIndex[static_cast<std::size_t>(tooth)];
    int& present = presentFlag[static_cast<std::size_t>(tooth)];
    if (cls == kSound) {
        cls = kNoInformation;
        present = 1;
    } else if (cls == kNoInformation && present != 0) {
        present = 0;
    } else if (cls == kNoInformation) {
        cls = kMissing;
    } else {
        --cls;
    }
}

void EntryChart::toggleBridge(int position) {
    if (validTooth(position))
        bridgeFlag[static_cast<std::size_t>(position)] ^= 1;
}

bool EntryChart::toggleDeciduous(int position) {
    if (!validTooth(position) || !canBeDeciduous(position))
        return false;
    deciduousFlag[static_cast<std::size_t>(position)] ^= 1;
    return true;
}

void EntryChart::apply(BulkSetting setting) {
    int first = 0;
    int last = kToothCount - 1;
    int cls = kMissing;
    int present = 0;
    switch (setting) {
    case BulkSetting::AllPresent:
        cls = kNoInformation;
        present = 1;
        break;
    case BulkSetting::AllSound:
        cls = kSound;
        break;
    case BulkSetting::AllNoInformation:
        cls = kNoInformation;
        break;
    case BulkSetting::UpperMissing:
        last = 15;
        break;
    case BulkSetting::AllMissing:
        break;
    case BulkSetting::LowerMissing:
        first = 16;
        break;
    }
    for (int i = first; i <= last; ++i) {
        classIndex[static_cast<std::size_t>(i)] = cls;
        presentFlag[static_cast<std::size_t>(i)] = present;
    }
}

EntryChart::Teeth EntryChart::pictureKinds() const {
    Teeth kinds{};
    for (std::size_t i = 0; i < kinds.size(); ++i)
        kinds[i] = classIndex[i] + presentFlag[i];
    return kinds;
}

} // namespace qdx
