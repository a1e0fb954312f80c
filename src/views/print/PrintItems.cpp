#include "views/print/PrintItems.h"

#include "io/TextCodec.h"
#include "platform/LocalTime.h"

namespace qdx {

namespace {

// Length in bytes of the CP932 character starting at a lead byte.
std::size_t cp932CharLength(unsigned char lead) {
    return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
}

} // namespace

std::string cutForPrint(const std::string& text) {
    constexpr std::size_t kLimit = 10;
    const std::string cp932 = TextCodec::toCp932(text);
    if (cp932.size() <= kLimit)
        return text;
    // Never split a double-byte character.
    std::size_t end = 0;
    while (end < cp932.size()) {
        const std::size_t next = end + cp932CharLength(static_cast<unsigned char>(cp932[end]));
        if (next > kLimit)
            break;
        end = next;
    }
    return TextCodec::toUtf8(cp932.substr(0, end)) + "…";
}

std::string printCreatedText(std::time_t when) {
    return platform::formatLocalTime(when, "作成日：%Y年%m月%d日 %H時%M分");
}

} // namespace qdx
