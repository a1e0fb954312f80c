#pragma once

#include <QApplication>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

#include <functional>
#include <memory>

namespace qdx::test {

// The child of `parent` whose object name is `name`. A missing one ends the test program
// with the name, so that a renamed control fails plainly instead of through a null pointer.
template <class T = QWidget> T* child(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no %s named %s", T::staticMetaObject.className(), name);
    }
    return found;
}

// Runs `action` once a visible top-level `Window` reports isReady() (a modal window's own loop
// runs it), then accepts that window.
template <class Window> void whenReady(const std::function<void(Window&)>& action) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, poll] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<Window*>(w);
            if (window && window->isVisible() && window->isReady()) {
                action(*window);
                window->accept();
                return;
            }
        }
        QTimer::singleShot(20, *poll);
    };
    QTimer::singleShot(20, *poll);
}

} // namespace qdx::test
