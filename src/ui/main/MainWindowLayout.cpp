#include "ui/main/MainWindowLayout.h"

namespace qdx {

std::map<int, ControlPlace> mainWindowLayout(int cx, int cy) {
    const int h = (cy - 188) / 2;
    std::map<int, ControlPlace> places;
    auto at = [&places](int id, int x, int y) { places[id] = {QPoint(x, y), QSize()}; };

    at(1122, 12, 11);
    at(1075, cx - 275, 11);
    places[1015] = {QPoint(12, 33), QSize(cx - 25, h)};
    at(1515, cx - 582, h + 37);
    at(1454, cx - 302, h + 37);
    at(1017, 12, h + 36);
    at(1019, 105, h + 36);
    at(1021, 198, h + 36);
    at(1023, 291, h + 36);
    at(1025, 384, h + 36);
    at(1123, 12, h + 72);
    at(1076, cx - 275, h + 72);
    places[1016] = {QPoint(12, h + 93), QSize(cx - 25, h)};
    at(1516, cx - 582, 2 * h + 99);
    at(1455, cx - 302, 2 * h + 99);
    at(1018, 12, cy - 90);
    at(1020, 105, cy - 90);
    at(1022, 198, cy - 90);
    at(1024, 291, cy - 90);
    at(1026, 384, cy - 90);
    at(1134, 12, cy - 28);
    at(1135, 12, cy - 28);
    at(1003, 70, cy - 31);
    at(1004, 70, cy - 31);
    at(1005, 183, cy - 64);
    at(1041, 201, cy - 28);
    at(1006, cx - 507, cy - 56);
    at(1001, cx - 378, cy - 56);
    at(1002, cx - 377, cy - 56);
    at(1000, cx - 118, cy - 56);
    return places;
}

} // namespace qdx
