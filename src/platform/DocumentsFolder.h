#pragma once

#include <filesystem>

namespace qdx::platform {

// The user's documents folder. On Linux it is found the way the desktop does it:
// XDG_DOCUMENTS_DIR from the user-dirs file ($XDG_CONFIG_HOME/user-dirs.dirs, else
// ~/.config/user-dirs.dirs), else $HOME/Documents.
std::filesystem::path documentsFolder();

} // namespace qdx::platform
