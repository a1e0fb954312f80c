#pragma once

#include <QFont>

namespace qdx {

// The windows' fonts. The Windows font names the layouts were made with are mapped to
// IPAGothic where they are missing, so Japanese text renders the same everywhere.
class UiFonts {
public:
    static void installSubstitutions();
    // The font every window derives its sizes from.
    static QFont dialogFont();
    // `base` at `factor` times its size, bold when asked.
    static QFont scaled(const QFont& base, double factor, bool bold = false);
};

} // namespace qdx
