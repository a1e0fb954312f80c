#include "ui/search/SearchTask.h"

#include "matching/SearchRequest.h"
#include "matching/SearchRun.h"
#include "store/StoreError.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/LongTask.h"
#include "ui/common/Prompts.h"

#include <QCoreApplication>

namespace qdx {

std::unique_ptr<SearchRun> searchInWindow(QWidget* parent, const ProjectModel& model,
                                          int direction) {
    return searchInWindow(parent, [&](SearchRun& run, const SearchControl& control) {
        return runSearchOnCopies(model, direction, run, control);
    });
}

std::unique_ptr<SearchRun> searchInWindow(QWidget* parent, const RunSearch& search) {
    auto run = std::make_unique<SearchRun>();
    try {
        LongTask task(parent, QCoreApplication::translate("qdx::SearchTask", "検索しています…"));
        if (!task.execCancellable(
                [&](const SearchControl& control) { return search(*run, control); }))
            return nullptr;
    } catch (const StoreError& error) {
        Prompts::message(parent, failureText(error.message(), error.databaseText()),
                         MessageButtons::Ok, MessageIcon::Error);
        return nullptr;
    }
    return run;
}

} // namespace qdx
