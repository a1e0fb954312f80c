#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace CLI {
class App;
}

namespace qdx::cli {

// The work of the subcommand that parsing selected. It returns an ExitCode; failures may also
// be thrown (CommandError, StoreError) and are reported by main.
using CommandAction = std::function<int()>;

// A command group adds its subcommands to the application; each subcommand's parse callback
// stores its work in `selected`. Groups are listed once, in main.cpp.
using CommandGroup = void (*)(CLI::App& app, CommandAction& selected);

// A failure of a command itself (not of the store): the text is shown on stderr, exit 1.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void addProjectCommands(CLI::App& app, CommandAction& selected);  // new, info, list
void addSearchCommands(CLI::App& app, CommandAction& selected);   // search, individual
void addDemoCommands(CLI::App& app, CommandAction& selected);     // demo
void addEvaluateCommands(CLI::App& app, CommandAction& selected); // evaluate, suggest-weights
void addBridgeCommands(CLI::App& app, CommandAction& selected);   // bridge
void addLogCommands(CLI::App& app, CommandAction& selected);      // log, check
// report (built where Qt is, which writes its PDF)
void addReportCommands(CLI::App& app, CommandAction& selected);

// settings
void addSettingsCommands(CLI::App& app, CommandAction& selected);

} // namespace qdx::cli
