#pragma once

#include <string>

class QWidget;

namespace qdx {

// A window of sample charts for looking at the picture set: every kind on all teeth, a chart
// as the entry dialog shows it, deciduous teeth with every bridge mark set, a comparison as
// the individual search shows it and a bridge-search chart, with the legend swatches.
// `pictureFolder` ends with a path separator.
QWidget* createChartGallery(const std::string& pictureFolder, QWidget* parent = nullptr);

} // namespace qdx
