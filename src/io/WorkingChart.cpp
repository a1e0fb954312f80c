#include "io/WorkingChart.h"

#include "store/RecordEntry.h"

namespace qdx {

namespace {
constexpr int kNoInformation = 5;
constexpr int kMissing = 4;
} // namespace

Finding findingFor(int code, std::span<const FindingCodes> table) {
    for (const FindingCodes& row : table) {
        for (const int listed : row.codes) {
            if (listed == code) {
                return row.finding;
            }
        }
    }
    return Finding::None;
}

void WorkingChart::reset() {
    classes.fill(kNoInformation);
    bridges.fill(0);
    present.fill(0);
    deciduous.fill(0);
}

void WorkingChart::resetPosition(int position) {
    classes[position] = kNoInformation;
    bridges[position] = 0;
    present[position] = 0;
    deciduous[position] = 0;
}

void WorkingChart::raise(int position, int to) {
    int& current = classes[position];
    if (current == kNoInformation || current < to) {
        current = to;
    }
}

void WorkingChart::markPresent(int position) {
    if (classes[position] == kNoInformation) {
        present[position] = 1;
    }
}

void WorkingChart::apply(int position, Finding finding) {
    switch (finding) {
    case Finding::Sound:
        raise(position, 1);
        break;
    case Finding::PartialRestoration:
        raise(position, 2);
        break;
    case Finding::FullRestoration:
        raise(position, 3);
        break;
    case Finding::Missing:
        classes[position] = kMissing;
        break;
    case Finding::ToothPresent:
        markPresent(position);
        break;
    case Finding::Bridge:
        bridges[position] = 1;
        markPresent(position);
        break;
    case Finding::Deciduous:
        deciduous[position] = 1;
        break;
    case Finding::None:
        break;
    }
}

void WorkingChart::writeTo(RecordEntry& entry, int position) const {
    entry.classes[position] = classes[position];
    entry.bridges[position] = bridges[position];
    entry.present[position] = classes[position] == kNoInformation ? present[position] : 0;
    entry.deciduous[position] = deciduous[position];
}

void WorkingChart::writeAllTo(RecordEntry& entry) const {
    for (int p = 0; p < kToothCount; ++p) {
        writeTo(entry, p);
    }
}

} // namespace qdx
