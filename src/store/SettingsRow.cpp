#include "store/SettingsRow.h"

#include "model/Labels.h"

namespace qdx {

SettingsRow::SettingsRow() {
    for (int i = 0; i < kMaxRulers; ++i)
        RULER[static_cast<std::size_t>(i)] = std::string(classDescription(i + 1));
}

} // namespace qdx
