#pragma once

#include <QString>

#include <string_view>

namespace qdx {

// The core's UTF-8 texts as the windows show them.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace qdx
