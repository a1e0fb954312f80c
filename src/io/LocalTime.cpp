#include "io/LocalTime.h"

namespace qdx {

std::string formatLocalTime(std::time_t when, const char* format) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    char text[64];
    const std::size_t n = std::strftime(text, sizeof text, format, &local);
    return std::string(text, n);
}

} // namespace qdx
