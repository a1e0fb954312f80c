#pragma once

#include <string>
#include <vector>

namespace qdx {

// A QR symbol as dark and light modules, row by row; empty when the text does not fit.
struct QrModules {
    int width = 0;
    std::vector<bool> dark; // width * width, row-major

    bool empty() const { return width == 0; }
    bool isDark(int x, int y) const {
        return dark[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
    }
};

// What the QR picture of a list row holds: the row's cell texts joined with ", ".
std::string qrRowText(const std::vector<std::string>& cells);

// Encodes UTF-8 text in byte mode. Text beyond ASCII is announced as UTF-8 (ECI 26), so that
// phone readers show Japanese IDs and places instead of guessing Shift_JIS. Error correction
// level M. Returns empty modules when the text is too long for the largest symbol.
QrModules encodeQr(const std::string& utf8);

} // namespace qdx
