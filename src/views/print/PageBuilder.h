#pragma once

#include "views/print/PrintItems.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qdx {

// Appends drawing items to a page.
class PageBuilder {
public:
    explicit PageBuilder(PrintPage& page) : m_page(page) {}

    void text(PrintFont font, int x, int y, std::string text);
    // A text that must not print wider than `fitWidth` (an ID in its column): the renderer
    // condenses it sideways when it is wider.
    void fittedText(PrintFont font, int x, int y, std::string text, int fitWidth);
    void line(int x, int y, int x2, int y2, int penWidth);
    void rect(int x, int y, int width, int height, PrintColor color);
    // A tooth chart picture (PrintItem::chart) in the rectangle.
    void chart(int x, int y, int width, int height, std::vector<std::uint8_t> values);

private:
    PrintPage& m_page;
};

} // namespace qdx
