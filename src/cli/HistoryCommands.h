#pragma once

#include "cli/CommandGroup.h"

namespace qdx::cli {

// history: the match history window without a screen.
void addHistoryCommands(CLI::App& app, CommandAction& selected);

} // namespace qdx::cli
