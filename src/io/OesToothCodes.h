#pragma once

#include <string_view>

namespace qdx {

// What an OES tooth code ("10" + FDI tooth number) names.
struct OesTooth {
    enum Kind { Unknown, Permanent, Deciduous, Supernumerary };
    Kind kind = Unknown;
    int position = -1; // chart position 0..31 for permanent and deciduous teeth
};

OesTooth lookUpOesToothCode(std::string_view code);

} // namespace qdx
