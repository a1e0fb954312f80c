#pragma once

#include "matching/SearchControl.h"

#include <QString>

#include <functional>

class QWidget;

namespace qdx {

class ProjectModel;
class SearchRun;

// Runs a search on a worker thread under the wait cursor while the windows keep painting. When
// it takes longer than about half a second a progress window with a cancel button appears.
// Returns false when the user cancelled; an exception of the work is rethrown here.
bool runSearchTask(QWidget* parent, const QString& label,
                   const std::function<bool(const SearchControl&)>& work);

// A search in one direction, as the search windows run it. The recorded outcomes are read from
// the project on the calling thread; the scoring and ranking of the model's loaded lists with
// the direction's weights and the project's factor may then run anywhere. False when cancelled;
// the run is then incomplete and must not be shown.
void loadSearchOutcomes(const ProjectModel& model, SearchRun& run);
bool scoreAndRank(const ProjectModel& model, int direction, SearchRun& run,
                  const SearchControl& control);

// How long a search may run before the progress window shows; tests lower it.
void setSearchProgressDelay(int milliseconds);

} // namespace qdx
