#pragma once

#include "ui/chart/PictureKind.h"

#include <QColor>
#include <QPixmap>
#include <QString>

#include <optional>
#include <vector>

namespace qdx {

// The small icons of the class legends beside the charts, by their resource numbers.
enum class LegendSwatch : int {
    Sound = 435,
    Filling = 436,
    Crown = 437,
    Missing = 438,
    NoInfo = 439,   // outline only
    Mismatch = 448, // outline only
    Exist = 449,
};

PictureKind swatchKind(LegendSwatch swatch);
// The fill colour; none for the outline-only swatches.
std::optional<QColor> swatchColour(LegendSwatch swatch);
// The swatch as a tooth drawn the way the chart draws that kind, `size` pixels square, on a
// transparent background.
QPixmap swatchPixmap(LegendSwatch swatch, int size = 18);

// One legend line: the swatch control and its icon, the text control and its text (as the
// string table has it; the entry dialog's texts are the multi-line class descriptions).
struct LegendEntry {
    int swatchControl;
    LegendSwatch swatch;
    int textControl;
    QString text;
};

enum class ChartLegendSet {
    Entry,               // the record entry dialog, 歯あり first
    IndividualOwn,       // individual search, while the searching chart (first row) is shown
    IndividualCandidate, // individual search, while a candidate row is shown
    BridgeSearch,        // bridge-specified search: missing and not specified only
};

// The entries of a legend in the order the window lays them out.
std::vector<LegendEntry> legendEntries(ChartLegendSet set);

} // namespace qdx
