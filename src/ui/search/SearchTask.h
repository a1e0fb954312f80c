#pragma once

#include "matching/SearchControl.h"

#include <functional>
#include <memory>

class QWidget;

namespace qdx {

class ProjectModel;
class SearchRun;

// The search windows' search as a cancellable LongTask ("検索しています…"), on copies of the
// model's lists so that the run stays valid while the main window reloads them. nullptr when
// cancelled or when the project could not be read (that error is shown).
std::unique_ptr<SearchRun> searchInWindow(QWidget* parent, const ProjectModel& model,
                                          int direction);
// Any search of a window as such a task, into a fresh run (the bridge window's one chart: it
// searches again whenever the model's lists are reloaded).
using RunSearch = std::function<bool(SearchRun&, const SearchControl&)>;
std::unique_ptr<SearchRun> searchInWindow(QWidget* parent, const RunSearch& search);

} // namespace qdx
