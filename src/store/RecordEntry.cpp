#include "store/RecordEntry.h"

#include "model/RecordId.h"

namespace qdx {

namespace {

constexpr int kNoInformationClass = 5;

// One chart string from 32 integers; `valid` says which values may be stored as they are.
template <typename Valid>
std::string chartString(const std::array<int, kToothCount>& values, int fallback, Valid valid) {
    std::string chart(kToothCount, '0');
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int value = valid(values[i]) ? values[i] : fallback;
        chart[i] = static_cast<char>('0' + value);
    }
    return chart;
}

int asFlag(long long value) {
    return value != 0 ? 1 : 0;
}

} // namespace

void RecordEntry::clear() {
    upperIdPart.clear();
    lowerIdPart.clear();
    classes.fill(kNoInformationClass);
    bridges.fill(0);
    present.fill(0);
    deciduous.fill(0);
    registrationDate = DentalRecord::todayText();
    place.clear();
    summary.clear();
    valid = 1;
    sex = 0;
    dentalId = 0;
    name.clear();
    agegroup = 0;
    kind = 0;
    matchId.clear();
    isUpdate = false;
    side = PostMortem;
}

DentalRecord RecordEntry::toRecord() const {
    DentalRecord record;
    record.Dental_ID = std::to_string(dentalId);
    record.displayId = composeDisplayId(upperIdPart, lowerIdPart);
    record.classChart = chartString(classes, kNoInformationClass,
                                    [](int v) { return v >= 1 && v <= kNoInformationClass; });
    const auto flag = [](const std::array<int, kToothCount>& values) {
        std::array<int, kToothCount> flags{};
        for (std::size_t i = 0; i < values.size(); ++i)
            flags[i] = asFlag(values[i]);
        return chartString(flags, 0, [](int) { return true; });
    };
    record.bridgeChart = flag(bridges);
    record.presentChart = flag(present);
    record.deciduousChart = flag(deciduous);
    record.UpdateTime = registrationDate;
    record.place = place;
    record.summary = summary;
    record.name = name;
    record.valid = std::to_string(valid);
    record.sex = std::to_string(sex);
    record.agegroup = std::to_string(agegroup);
    record.MATCH_KIND = MatchKind::fromStored(std::to_string(kind));
    record.Match_ID = matchId;
    record.MATCH_I_MATCHID = iMatchId;
    return record;
}

} // namespace qdx
