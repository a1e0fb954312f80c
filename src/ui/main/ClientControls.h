#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace qdx {

class CColorButton;
class CColorStatic;

// The main window's controls are direct children of its client area, named as the layout table
// names them; they are made in the order the keyboard focus follows.
inline const QSize kSideButtonSize(88, 30);
inline const QSize kMainButtonSize(120, 42);

// A command button of the side-button size that Enter runs while it has the focus.
CColorButton* addClientButton(QWidget* client, const QString& caption, const QString& name);
CColorStatic* addClientStatic(QWidget* client, const QString& text, const QString& name);

} // namespace qdx
