#pragma once

#include <string>

namespace qdx::platform {

// The operating system's name of the user running the program: the account's name, or the
// USER (USERNAME on Windows) variable when the account has none; empty when neither is known.
std::string loginName();

} // namespace qdx::platform
