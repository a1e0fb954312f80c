#include "platform/Terminal.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace qdx::platform {

bool stderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

int exitCodeOfSystem(int status) {
#ifdef _WIN32
    return status;
#else
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

long long processId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

} // namespace qdx::platform
