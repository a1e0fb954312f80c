#include "ui/chart/PictureKind.h"

#include <array>

namespace qdx {

std::string_view pictureStem(PictureKind kind) {
    static constexpr std::array<std::string_view, kPictureKindCount> stems{
        "sound", "filling", "crown", "missing", "noinfo", "exist", "select", "mismatch"};
    return stems[static_cast<std::size_t>(kind)];
}

int kindOfClass(int effectiveClass) {
    return effectiveClass >= 1 && effectiveClass <= 7 ? effectiveClass - 1 : -1;
}

} // namespace qdx
