#include "support/QdxRunner.h"

#include "platform/Terminal.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <sstream>

namespace qdx::test {

std::string shellQuoted(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

QdxResult runQdx(const std::vector<std::string>& arguments) {
    static const TempDir capture;
    std::string command = shellQuoted(QDX_BINARY_DIR "/src/cli/qdx");
    for (const std::string& argument : arguments)
        command += " " + shellQuoted(argument);
    const std::string outFile = capture.file("out.txt");
    const std::string errFile = capture.file("err.txt");
    command += " >" + shellQuoted(outFile) + " 2>" + shellQuoted(errFile) + " </dev/null";
    QdxResult result;
    result.exitCode = platform::exitCodeOfSystem(std::system(command.c_str()));
    result.out = readBytes(outFile);
    result.err = readBytes(errFile);
    return result;
}

// The lines of a command's output, without their line ends.
std::string qdxCsv(const std::vector<std::string>& arguments, const std::string& csvPath) {
    std::vector<std::string> withFile = arguments;
    withFile.insert(withFile.end(), {"--csv", csvPath});
    return runQdx(withFile).exitCode == 0 ? readBytes(csvPath) : std::string();
}

std::vector<std::string> outputLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace qdx::test
