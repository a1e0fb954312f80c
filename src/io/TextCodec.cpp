#include "io/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace qdx {
namespace {

// One conversion direction, opened once per thread and reused: opening iconv is far more
// expensive than converting a short field.
class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            iconv_close(m_handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // `skip` tells how many input bytes one undecodable or unmappable character spans.
    template <typename Skip> std::string run(std::string_view input, Skip skip) {
        std::string out;
        if (!valid()) {
            return asciiOnly(input);
        }
        out.reserve(input.size() + input.size() / 2 + 8);
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(m_handle, &in, &inLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc != static_cast<std::size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ (invalid or unmappable) or EINVAL (truncated at the end): one "?" for the
            // offending character, then carry on after it.
            out.push_back('?');
            const std::size_t n = std::min(inLeft, skip(std::string_view(in, inLeft)));
            in += n;
            inLeft -= n;
            iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    static std::string asciiOnly(std::string_view input) {
        std::string out;
        for (char c : input) {
            out.push_back(static_cast<unsigned char>(c) < 0x80 ? c : '?');
        }
        return out;
    }

    iconv_t m_handle;
};

// Bytes of the UTF-8 sequence that starts the text (at least 1).
std::size_t utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t n = 1;
    if (lead >= 0xF0 && lead < 0xF8) {
        n = 4;
    } else if (lead >= 0xE0) {
        n = lead < 0xF0 ? 3 : 1;
    } else if (lead >= 0xC0) {
        n = 2;
    }
    // Only continuation bytes belong to the sequence; a broken sequence skips its lead alone.
    for (std::size_t i = 1; i < n; ++i) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return i;
        }
    }
    return n;
}

// A CP932 lead byte starts a two-byte character; when the pair does not decode, only the lead
// is dropped so that an ASCII trail byte (a comma, a quote) is not swallowed.
std::size_t cp932SequenceLength(std::string_view) {
    return 1;
}

} // namespace

std::string TextCodec::toUtf8(std::string_view cp932) {
    thread_local Converter converter("UTF-8", "CP932");
    for (char c : cp932) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return converter.run(cp932, cp932SequenceLength);
        }
    }
    return std::string(cp932);
}

std::string TextCodec::toCp932(std::string_view utf8) {
    thread_local Converter converter("CP932", "UTF-8");
    for (char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return converter.run(utf8, utf8SequenceLength);
        }
    }
    return std::string(utf8);
}

std::size_t TextCodec::cp932Length(std::string_view utf8) {
    return toCp932(utf8).size();
}

} // namespace qdx
