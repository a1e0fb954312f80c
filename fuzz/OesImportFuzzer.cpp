// A whole OES file read into a scratch project.
#include "ScratchProject.h"

#include "io/OesImporter.h"

#include <cstdint>
#include <exception>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& scratch = qdx::fuzz::ScratchProject::instance();
    scratch.beforeInput();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    qdx::OesImporter importer(scratch.model, scratch.log, qdx::AnteMortem);
    try {
        importer.readFile(in, "2024-05-01");
    } catch (const std::exception&) {
        // The import logs it as its unexpected error and puts the project back for a store
        // failure; what the fuzzer looks for are crashes.
    }
    return 0;
}
