#include "io/ImportMessages.h"

#include "io/FieldRules.h"

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

} // namespace qdx
