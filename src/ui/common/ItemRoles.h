#pragma once

#include <Qt>

namespace qdx {

// The item-view roles the windows share beside Qt's own.
enum ItemRole : int {
    // True for a cell that shows text the project stores as it was written (a change of the
    // history): project data, shown in the language it was written in whatever the display
    // language of the run.
    StoredTextRole = Qt::UserRole + 1,
};

} // namespace qdx
