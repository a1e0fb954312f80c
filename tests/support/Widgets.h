#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <QtGlobal>

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

} // namespace qdx::test
