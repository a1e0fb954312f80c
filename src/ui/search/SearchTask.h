#pragma once

#include "matching/SearchControl.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace qdx {

class ProjectModel;
class SearchRun;

// Runs a search on a worker thread under the wait cursor while the windows keep painting. When
// it takes longer than about half a second a progress window with a cancel button appears.
// Returns false when the user cancelled; an exception of the work is rethrown here.
bool runSearchTask(QWidget* parent, const QString& label,
                   const std::function<bool(const SearchControl&)>& work);

// The search windows' search as such a task, on copies of the model's lists so that the run
// stays valid while the main window reloads them. nullptr when cancelled or when the project
// could not be read (that error is shown).
std::unique_ptr<SearchRun> searchInWindow(QWidget* parent, const ProjectModel& model,
                                          int direction);
// Any search of a window as such a task, into a fresh run (the bridge window's: it keeps
// copies of the lists through keepBridgeLists itself).
using RunSearch = std::function<bool(SearchRun&, const SearchControl&)>;
std::unique_ptr<SearchRun> searchInWindow(QWidget* parent, const RunSearch& search);

// How long a search may run before the progress window shows; tests lower it.
void setSearchProgressDelay(int milliseconds);

} // namespace qdx
