#include "platform/LoginName.h"

#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace qdx::platform {

std::string loginName() {
#ifdef _WIN32
    const char* name = std::getenv("USERNAME");
    return name ? name : "";
#else
    if (const passwd* account = getpwuid(geteuid()); account && account->pw_name)
        return account->pw_name;
    const char* name = std::getenv("USER");
    return name ? name : "";
#endif
}

} // namespace qdx::platform
