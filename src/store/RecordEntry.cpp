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

bool inRange(int position, int first) {
    return position >= first && position < first + 32;
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
    unused = 0;
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

void RecordEntry::setField(int position, long long value, const std::string& text) {
    const auto index = [position](int first) { return static_cast<std::size_t>(position - first); };
    const int number = static_cast<int>(value);
    if (inRange(position, FirstClassPosition)) {
        classes[index(FirstClassPosition)] = number + 1;
        return;
    }
    if (inRange(position, FirstBridgePosition)) {
        bridges[index(FirstBridgePosition)] = number;
        return;
    }
    if (inRange(position, FirstPresentPosition)) {
        present[index(FirstPresentPosition)] = number;
        return;
    }
    if (inRange(position, FirstDeciduousPosition)) {
        deciduous[index(FirstDeciduousPosition)] = number;
        return;
    }
    switch (position) {
    case UpperIdPosition:
        upperIdPart = text;
        break;
    case LowerIdPosition:
        lowerIdPart = text;
        break;
    case DatePosition:
        registrationDate = text;
        break;
    case PlacePosition:
        place = text;
        break;
    case SummaryPosition:
        summary = text;
        break;
    case UnusedPosition:
        unused = number;
        break;
    case SexPosition:
        sex = number;
        break;
    case DentalIdPosition:
        dentalId = value;
        break;
    case ValidPosition:
        valid = number;
        break;
    case NamePosition:
        name = text;
        break;
    case KindPosition:
        kind = number;
        break;
    case AgeGroupPosition:
        agegroup = number;
        break;
    case MatchIdPosition:
        matchId = text;
        break;
    case IMatchIdPosition:
        iMatchId = text;
        break;
    default:
        break;
    }
}

std::string RecordEntry::text(int position) const {
    switch (position) {
    case UpperIdPosition:
        return upperIdPart;
    case LowerIdPosition:
        return lowerIdPart;
    case DatePosition:
        return registrationDate;
    case PlacePosition:
        return place;
    case SummaryPosition:
        return summary;
    case NamePosition:
        return name;
    case MatchIdPosition:
        return matchId;
    case IMatchIdPosition:
        return iMatchId;
    default:
        return {};
    }
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
