// A whole digital-pen file read into a scratch project. Half of the inputs get a valid header
// in front so the fuzzer spends its time on the forms.
#include "ScratchProject.h"

#include "io/PenCsvImporter.h"
#include "io/TextCodec.h"

#include <cstdint>
#include <exception>
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
    } catch (const std::exception&) {
        // The import logs it as its unexpected error and puts the project back for a store
        // failure; what the fuzzer looks for are crashes.
    }
    return 0;
}
