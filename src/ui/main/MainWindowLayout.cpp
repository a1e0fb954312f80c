#include "ui/main/MainWindowLayout.h"

#include <QWidget>

namespace qdx {

std::map<QString, ControlPlace> mainWindowLayout(int cx, int cy) {
    const int h = (cy - 188) / 2;
    std::map<QString, ControlPlace> places;
    auto at = [&places](const char* name, int x, int y) {
        places[QString::fromLatin1(name)] = {QPoint(x, y), QSize()};
    };
    auto list = [&places, cx, h](const char* name, int y) {
        places[QString::fromLatin1(name)] = {QPoint(12, y), QSize(cx - 25, h)};
    };

    at("postMortemTitle", 12, 11);
    at("postMortemCount", cx - 275, 11);
    list("postMortemList", 33);
    at("postMortemLegend", cx - 582, h + 37);
    at("postMortemBridgeLegend", cx - 302, h + 37);
    at("postMortemNewButton", 12, h + 36);
    at("postMortemModifyButton", 105, h + 36);
    at("postMortemDeleteButton", 198, h + 36);
    at("postMortemHistoryButton", 291, h + 36);
    at("postMortemCompareButton", 384, h + 36);

    at("anteMortemTitle", 12, h + 72);
    at("anteMortemCount", cx - 275, h + 72);
    list("anteMortemList", h + 93);
    at("anteMortemLegend", cx - 582, 2 * h + 99);
    at("anteMortemBridgeLegend", cx - 302, 2 * h + 99);
    at("anteMortemNewButton", 12, cy - 90);
    at("anteMortemModifyButton", 105, cy - 90);
    at("anteMortemDeleteButton", 198, cy - 90);
    at("anteMortemHistoryButton", 291, cy - 90);
    at("anteMortemCompareButton", 384, cy - 90);

    at("conditionLabel", 12, cy - 28);
    at("displayCountLabel", 12, cy - 28);
    at("directionCombo", 70, cy - 31);
    at("displayCountCombo", 70, cy - 31);
    at("rankKeyCombo", 183, cy - 64);
    at("hideExcludedCheck", 201, cy - 28);
    at("fullSearchButton", cx - 507, cy - 56);
    at("bridgeSearchButton", cx - 378, cy - 56);
    at("individualSearchButton", cx - 377, cy - 56);
    at("exitButton", cx - 118, cy - 56);
    return places;
}

void placeMainWindowControls(QWidget* client, int cx, int cy) {
    for (const auto& [name, place] : mainWindowLayout(cx, cy)) {
        auto* widget = client->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        if (widget == nullptr) {
            continue;
        }
        if (place.size.isValid()) {
            widget->setGeometry(QRect(place.position, place.size));
        } else {
            widget->move(place.position);
        }
    }
}

} // namespace qdx
