#pragma once

#include <functional>

class QWidget;

namespace qdx {

// Opens the identification report of a post-mortem and an ante-mortem record (their keys)
// modally over `parent`.
using ReportOpener =
    std::function<void(QWidget* parent, long long postMortemKey, long long anteMortemKey)>;

} // namespace qdx
