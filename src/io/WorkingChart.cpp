#include "io/WorkingChart.h"

#include "store/RecordEntry.h"

#include <algorithm>

namespace qdx {

void WorkingChart::reset() {
    classes.fill(5);
    bridges.fill(0);
    present.fill(0);
    deciduous.fill(0);
}

void WorkingChart::resetPosition(int position) {
    classes[position] = 5;
    bridges[position] = 0;
    present[position] = 0;
    deciduous[position] = 0;
}

void WorkingChart::raise(int position, std::initializer_list<int> from, int to) {
    if (std::find(from.begin(), from.end(), classes[position]) != from.end()) {
        classes[position] = to;
    }
}

void WorkingChart::writeTo(RecordEntry& entry, int position) const {
    entry.classes[position] = classes[position];
    entry.bridges[position] = bridges[position];
    entry.present[position] = classes[position] == 5 ? present[position] : 0;
    entry.deciduous[position] = deciduous[position];
}

void WorkingChart::writeAllTo(RecordEntry& entry) const {
    for (int p = 0; p < kToothCount; ++p) {
        writeTo(entry, p);
    }
}

} // namespace qdx
