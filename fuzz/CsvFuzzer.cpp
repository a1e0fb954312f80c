// Record joining and field splitting on arbitrary bytes, the quoting round trip and both text
// conversions.
#include "io/CsvQuote.h"
#include "io/CsvRecordReader.h"
#include "io/TextCodec.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    qdx::CsvRecordReader reader(in);
    std::size_t total = 0;
    while (reader.next()) {
        for (const std::string& field : qdx::splitCsvFields(reader.record())) {
            total += field.size();
        }
    }
    if (total > bytes.size() * 2 + 16) {
        std::abort(); // fields can only shrink what was read (line breaks may grow by one)
    }
    if (!bytes.empty()) {
        const std::vector<std::string> fields = qdx::splitCsvFields(qdx::CsvQuote(bytes));
        if (fields.size() != 1 || fields[0] != bytes) {
            std::abort(); // a quoted field must read back as itself
        }
    }
    const std::string utf8 = qdx::TextCodec::toUtf8(bytes);
    const std::string back = qdx::TextCodec::toCp932(utf8);
    (void)qdx::TextCodec::toCp932(bytes);
    (void)back;
    return 0;
}
