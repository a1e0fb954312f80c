#pragma once

#include <ctime>
#include <string>

namespace qdx::platform {

// The local time of `when`, broken down; the one place that converts to local time.
std::tm localTime(std::time_t when);

// strftime of the local time of `when` (at most 127 bytes of text).
std::string formatLocalTime(std::time_t when, const char* format);

} // namespace qdx::platform
