#pragma once

namespace qdx::cli {

// What `qdx` returns; scripts rely on these values.
enum ExitCode : int {
    ExitSuccess = 0,
    ExitFailure = 1,        // message on stderr, nothing committed
    ExitUsage = 2,          // the command line could not be understood
    ExitImportAbnormal = 3, // an import ran to its end but ended abnormally (see the import log)
};

} // namespace qdx::cli
