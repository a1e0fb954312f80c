// Runs a harness over files without libFuzzer: every file named, and every file of every
// folder named (in name order), once each, then the empty input. A harness that faults stops
// the run as it would stop the fuzzer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void runFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::vector<std::filesystem::path> inputsOf(const std::filesystem::path& argument) {
    if (!std::filesystem::is_directory(argument))
        return {argument};
    std::vector<std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(argument))
        if (item.is_regular_file())
            files.push_back(item.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::filesystem::exists(argv[i])) {
            std::fprintf(stderr, "no such file or folder: %s\n", argv[i]);
            return 2;
        }
        for (const std::filesystem::path& file : inputsOf(argv[i])) {
            runFile(file);
            ++count;
        }
    }
    static const std::uint8_t none[1] = {};
    LLVMFuzzerTestOneInput(none, 0);
    std::printf("%zu inputs replayed\n", count + 1);
    return count > 0 ? 0 : 1;
}
