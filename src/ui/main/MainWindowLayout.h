#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <map>

class QWidget;

namespace qdx {

// Where the main window's controls go for a client size. Controls are named by their object
// names; a list also gets a new size, every other control keeps its own.
struct ControlPlace {
    QPoint position;
    QSize size; // invalid: keep the control's size
};

std::map<QString, ControlPlace> mainWindowLayout(int cx, int cy);
// Puts the client area's controls where mainWindowLayout says.
void placeMainWindowControls(QWidget* client, int cx, int cy);

} // namespace qdx
