#pragma once

#include "matching/SearchControl.h"

#include <QString>

#include <functional>

class QWidget;

namespace qdx {

// Runs a search on a worker thread under the wait cursor while the windows keep painting. When
// it takes longer than about half a second a progress window with a cancel button appears.
// Returns false when the user cancelled; an exception of the work is rethrown here.
bool runSearchTask(QWidget* parent, const QString& label,
                   const std::function<bool(const SearchControl&)>& work);

// How long a search may run before the progress window shows; tests lower it.
void setSearchProgressDelay(int milliseconds);

} // namespace qdx
