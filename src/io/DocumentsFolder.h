#pragma once

#include <filesystem>

namespace qdx {

// The user's documents folder, found the way the desktop does it on Linux: XDG_DOCUMENTS_DIR
// from the user-dirs file ($XDG_CONFIG_HOME/user-dirs.dirs, else ~/.config/user-dirs.dirs),
// else $HOME/Documents.
std::filesystem::path documentsFolder();
// Where new projects and the import log go: the documents folder + "QuendixFree".
std::filesystem::path defaultProjectFolder();

} // namespace qdx
