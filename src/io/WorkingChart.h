#pragma once

#include "model/ToothChart.h"

#include <array>
#include <initializer_list>
#include <span>

namespace qdx {

struct RecordEntry;

// What one finding of an import file does to a tooth position. Classes only rise: 5 (no
// information) and the classes below a restoration's class become that class, and a later
// finding never lowers an earlier one.
enum class Finding {
    None,               // no effect on the chart
    Sound,              // class 5 becomes 1 (sound or decayed, untreated)
    PartialRestoration, // class 5 or 1 becomes 2 (a metal filling or inlay)
    FullRestoration,    // class 5, 1 or 2 becomes 3 (a crown)
    Missing,            // class 4 whatever it was (C4 or missing)
    ToothPresent,       // class 5 gains the present flag: class 6, a tooth of unknown state
    Bridge,             // the bridge flag, and class 5 gains the present flag
    Deciduous,          // the deciduous flag
};

// The codes of an import file that mark one finding: a row of an importer's code table.
struct FindingCodes {
    Finding finding;
    std::initializer_list<int> codes;
};

// The finding of the row that lists `code`; Finding::None when no row does.
Finding findingFor(int code, std::span<const FindingCodes> table);

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
    void apply(int position, Finding finding);
    // Copies one position into the entry. The present flag only means something with class 5
    // (class 5 + present = class 6), so with any other class it is written as 0.
    void writeTo(RecordEntry& entry, int position) const;
    void writeAllTo(RecordEntry& entry) const;

private:
    void raise(int position, int to);
    void markPresent(int position);
};

} // namespace qdx
