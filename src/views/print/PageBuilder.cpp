#include "views/print/PageBuilder.h"

#include <utility>

namespace qdx {

void PageBuilder::text(PrintFont font, int x, int y, std::string text) {
    PrintItem item;
    item.kind = PrintItem::Kind::Text;
    item.font = font;
    item.x = x;
    item.y = y;
    item.text = std::move(text);
    m_page.push_back(std::move(item));
}

void PageBuilder::fittedText(PrintFont font, int x, int y, std::string text, int fitWidth) {
    this->text(font, x, y, std::move(text));
    m_page.back().fitWidth = fitWidth;
}

void PageBuilder::line(int x, int y, int x2, int y2, int penWidth) {
    PrintItem item;
    item.kind = PrintItem::Kind::Line;
    item.x = x;
    item.y = y;
    item.x2 = x2;
    item.y2 = y2;
    item.penWidth = penWidth;
    m_page.push_back(std::move(item));
}

void PageBuilder::rect(int x, int y, int width, int height, PrintColor color) {
    PrintItem item;
    item.kind = PrintItem::Kind::FilledRect;
    item.x = x;
    item.y = y;
    item.width = width;
    item.height = height;
    item.color = color;
    m_page.push_back(std::move(item));
}

void PageBuilder::chart(int x, int y, int width, int height, std::vector<std::uint8_t> values) {
    PrintItem item;
    item.kind = PrintItem::Kind::Chart;
    item.x = x;
    item.y = y;
    item.width = width;
    item.height = height;
    item.chart = std::move(values);
    m_page.push_back(std::move(item));
}

} // namespace qdx
