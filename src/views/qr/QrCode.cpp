#include "views/qr/QrCode.h"

#include <qrencode.h>

#include <memory>

namespace qdx {

namespace {

constexpr unsigned kUtf8Eci = 26;

bool isAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

struct InputDeleter {
    void operator()(QRinput* input) const { QRinput_free(input); }
};
struct CodeDeleter {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

} // namespace

std::string qrRowText(const std::vector<std::string>& cells) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i != 0)
            text += ", ";
        text += cells[i];
    }
    return text;
}

QrModules encodeQr(const std::string& utf8) {
    std::unique_ptr<QRinput, InputDeleter> input(QRinput_new2(0, QR_ECLEVEL_M));
    if (!input)
        return {};
    if (!isAscii(utf8) && QRinput_appendECIheader(input.get(), kUtf8Eci) != 0)
        return {};
    const auto* data = reinterpret_cast<const unsigned char*>(utf8.data());
    if (QRinput_append(input.get(), QR_MODE_8, static_cast<int>(utf8.size()), data) != 0)
        return {};
    std::unique_ptr<QRcode, CodeDeleter> code(QRcode_encodeInput(input.get()));
    if (!code)
        return {};
    QrModules modules;
    modules.width = code->width;
    const std::size_t count =
        static_cast<std::size_t>(code->width) * static_cast<std::size_t>(code->width);
    modules.dark.resize(count);
    // The lowest bit of each byte is the module's colour; the others describe its role.
    for (std::size_t i = 0; i < count; ++i)
        modules.dark[i] = (code->data[i] & 1) != 0;
    return modules;
}

} // namespace qdx
