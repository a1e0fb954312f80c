#pragma once

#include "TestSupport.h"

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace qdx::test {

struct QdxResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// Runs the built qdx with the arguments, stdout and stderr captured apart.
inline QdxResult runQdx(const std::vector<std::string>& arguments) {
    static const TempDir capture;
    std::string command = shellQuoted(QDX_BINARY_DIR "/src/cli/qdx");
    for (const std::string& argument : arguments)
        command += " " + shellQuoted(argument);
    const std::string outFile = capture.file("out.txt");
    const std::string errFile = capture.file("err.txt");
    command += " >" + shellQuoted(outFile) + " 2>" + shellQuoted(errFile) + " </dev/null";
    const int status = std::system(command.c_str());
    QdxResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readBytes(outFile);
    result.err = readBytes(errFile);
    return result;
}

// The lines of a command's output, without their line ends.
inline std::vector<std::string> outputLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace qdx::test
