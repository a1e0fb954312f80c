#pragma once

#include "model/ToothChart.h"

#include <array>

namespace qdx {

struct RecordEntry;

// The chart an importer builds up while it reads one person: per position a class digit 1..5
// and the bridge, present and deciduous flags.
struct WorkingChart {
    std::array<int, kToothCount> classes{};
    std::array<int, kToothCount> bridges{};
    std::array<int, kToothCount> present{};
    std::array<int, kToothCount> deciduous{};

    WorkingChart() { reset(); }
    // Class 5 with every flag 0 everywhere.
    void reset();
    void resetPosition(int position);
    // Raises the class at a position when it currently is one of the listed classes.
    void raise(int position, std::initializer_list<int> from, int to);
    // Copies one position into the entry. The present flag only means something with class 5
    // (class 5 + present = class 6), so with any other class it is written as 0.
    void writeTo(RecordEntry& entry, int position) const;
    void writeAllTo(RecordEntry& entry) const;
};

} // namespace qdx
