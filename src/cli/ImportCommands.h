#pragma once

#include "cli/CommandGroup.h"

namespace qdx::cli {

// import-pen, import-oes, export, merge.
void addImportCommands(CLI::App& app, CommandAction& selected);

} // namespace qdx::cli
