#include "cli/CommandGroup.h"

namespace qdx::cli {

void addSearchCommands(CLI::App&, CommandAction&) {}

} // namespace qdx::cli
