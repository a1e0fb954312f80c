#pragma once

#include "cli/CommandGroup.h"

namespace qdx::cli {

// add, edit: the record entry dialog's save for scripted entry.
void addEntryCommands(CLI::App& app, CommandAction& selected);

} // namespace qdx::cli
