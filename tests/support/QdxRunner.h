#pragma once

#include "support/TestFiles.h"

#include <string>
#include <vector>

namespace qdx::test {

struct QdxResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built qdx with the arguments (stdin empty), stdout and stderr captured apart. The
// test program needs the tool built first: add_dependencies(test_x qdx).
QdxResult runQdx(const std::vector<std::string>& arguments);

// Runs qdx with the arguments and `--csv csvPath`: the file it wrote, or empty when the command
// failed.
std::string qdxCsv(const std::vector<std::string>& arguments, const std::string& csvPath);

// The lines of a command's output, without their line ends.
std::vector<std::string> outputLines(const std::string& text);

// The argument quoted for the shell.
std::string shellQuoted(const std::string& argument);

} // namespace qdx::test
