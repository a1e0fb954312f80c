#include "io/ProjectFolder.h"

#include "platform/DocumentsFolder.h"

namespace qdx {

std::filesystem::path defaultProjectFolder() {
    return platform::documentsFolder() / "QuendixFree";
}

} // namespace qdx
