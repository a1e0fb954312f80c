#pragma once

#include "app/ScreenshotWindow.h"

namespace qdx {

// Every window scripts/screenshot can picture besides "main", by name.
ScreenshotWindows screenshotWindows();

} // namespace qdx
