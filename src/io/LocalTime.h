#pragma once

#include <ctime>
#include <string>

namespace qdx {

// strftime of the local time; the one place the io code converts to local time.
std::string formatLocalTime(std::time_t when, const char* format);

} // namespace qdx
