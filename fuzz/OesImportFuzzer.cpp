// A whole OES file read into a scratch project. Whatever was stored must be a chart an import
// can write; any exception but a store failure is a fault.
#include "ScratchProject.h"

#include "io/OesImporter.h"
#include "store/StoreError.h"

#include <cstdint>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& scratch = qdx::fuzz::ScratchProject::instance();
    scratch.beforeInput();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    qdx::OesImporter importer(scratch.model, scratch.log, qdx::AnteMortem);
    importer.setToday("2024-06-01");
    try {
        importer.readFile(in, "2024-05-01");
        qdx::fuzz::requireStoredCharts(scratch.model, qdx::AnteMortem, true);
    } catch (const qdx::StoreError&) {
        // The import flow ends the file as the unexpected error and restores the project.
    }
    scratch.afterInput();
    return 0;
}
