#pragma once

#include <string>
#include <string_view>

namespace qdx {

// Conversion between the program's UTF-8 and the CP932 (Windows Japanese) text files it reads
// and writes. Neither direction ever fails: a character CP932 cannot hold, or a byte sequence
// that is not valid in the source encoding, becomes "?".
class TextCodec {
public:
    static std::string toUtf8(std::string_view cp932);
    static std::string toCp932(std::string_view utf8);
    // The length a UTF-8 text has once written as CP932; the file formats count these bytes.
    static std::size_t cp932Length(std::string_view utf8);
};

} // namespace qdx
