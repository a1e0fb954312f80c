#include "platform/LocalTime.h"

namespace qdx::platform {

std::tm localTime(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    return local;
}

std::string formatLocalTime(std::time_t when, const char* format) {
    const std::tm local = localTime(when);
    char text[128];
    const std::size_t n = std::strftime(text, sizeof text, format, &local);
    return std::string(text, n);
}

} // namespace qdx::platform
