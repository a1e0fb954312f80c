#pragma once

#include <filesystem>

namespace qdx {

// Where new projects and the import log go: the documents folder + "QuendixFree".
std::filesystem::path defaultProjectFolder();

} // namespace qdx
