// A whole digital-pen file read into a scratch project. Half of the inputs get a valid header
// in front so the fuzzer spends its time on the forms. Whatever was stored must be a chart an
// import can write; any exception but a store failure is a fault.
#include "ScratchProject.h"

#include "io/PenCsvImporter.h"
#include "io/TextCodec.h"
#include "store/StoreError.h"

#include <cstdint>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& scratch = qdx::fuzz::ScratchProject::instance();
    scratch.beforeInput();
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!bytes.empty() && (bytes[0] & 1)) {
        bytes =
            qdx::TextCodec::toCp932(qdx::PenCsvImporter::kHeaderText) + "\r\n" + bytes.substr(1);
    }
    std::istringstream in(bytes);
    qdx::PenCsvImporter importer(scratch.model, scratch.log, qdx::PostMortem);
    try {
        importer.read(in);
        qdx::fuzz::requireStoredCharts(scratch.model, qdx::PostMortem, true);
    } catch (const qdx::StoreError&) {
        // The import flow logs it and puts the project back from its backup.
    }
    scratch.afterInput();
    return 0;
}
