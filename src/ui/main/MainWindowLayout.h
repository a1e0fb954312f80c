#pragma once

#include <QPoint>
#include <QSize>

#include <map>

namespace qdx {

// Where the main window's controls go for a client size. Controls are named by their
// identifiers; a list also gets a new size, every other control keeps its own.
struct ControlPlace {
    QPoint position;
    QSize size; // invalid: keep the control's size
};

std::map<int, ControlPlace> mainWindowLayout(int cx, int cy);

} // namespace qdx
