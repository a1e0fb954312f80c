#pragma once

namespace qdx::platform {

// Whether stderr goes to a terminal (progress lines are shown only there).
bool stderrIsTerminal();

// The exit code of a command run by std::system from the status it returned; -1 when the
// command did not end normally.
int exitCodeOfSystem(int status);

// The number of the running process (names scratch folders that must not clash).
long long processId();

} // namespace qdx::platform
