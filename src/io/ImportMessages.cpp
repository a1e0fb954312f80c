#include "io/ImportMessages.h"

#include "io/FieldRules.h"
#include "io/ImportLog.h"

namespace qdx {

std::string ImportResult::message() const {
    if (!logOpened) {
        return std::string(kLogOpenFailedMessage);
    }
    if (!failed) {
        return std::string(kImportEndedMessage);
    }
    return std::string(kImportFailedMessage) + "\n" + fieldrules::wrapLongPath(logPath);
}

bool ImportResult::openLog(ImportLog& log, const std::filesystem::path& folder) {
    logOpened = log.open(folder);
    logPath = log.path().string();
    return logOpened;
}

} // namespace qdx
