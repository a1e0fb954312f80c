#include "ui/entry/EntryLegend.h"

#include "model/Labels.h"
#include "ui/chart/ChartPainter.h"
#include "ui/chart/LegendSwatch.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/UiFonts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace qdx {

namespace {

QString windowsText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

QPixmap bridgeLegendPicture() {
    QPixmap picture(16, 34);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    ChartPainter::drawBridgeLegend(painter, QRect(0, 0, picture.width(), picture.height()));
    return picture;
}

QGridLayout* markLegend(QWidget* legend) {
    auto* bridgeCaption = new QLabel(EntryLegend::tr("ブリッジ"), legend);
    auto* bridgeMark = new QLabel(legend);
    bridgeMark->setObjectName(QStringLiteral("bridgeLegend"));
    bridgeMark->setPixmap(bridgeLegendPicture());
    auto* bridgeText = new QLabel(windowsText(ChartPainter::bridgeLegendText()), legend);
    auto* toothCaption = new QLabel(EntryLegend::tr("歯式"), legend);
    auto* toothText = new QLabel(coreTr(kDeciduousLegend), legend);
    auto* marks = new QGridLayout;
    marks->setHorizontalSpacing(8);
    marks->addWidget(bridgeCaption, 0, 0, 1, 2);
    marks->addWidget(bridgeMark, 1, 0);
    marks->addWidget(bridgeText, 1, 1);
    marks->addWidget(toothCaption, 0, 3);
    marks->addWidget(toothText, 1, 3);
    marks->setColumnMinimumWidth(2, 24);
    marks->setColumnStretch(4, 1);
    return marks;
}

} // namespace

EntryLegend::EntryLegend(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("classLegend"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const LegendEntry& entry : legendEntries(ChartLegendSet::Entry)) {
        auto* swatch = new QLabel(this);
        swatch->setPixmap(swatchPixmap(entry.swatch, 20));
        auto* label = new QLabel(windowsText(entry.text), this);
        label->setFont(UiFonts::scaled(font(), 0.95));
        grid->addWidget(swatch, row, 0, Qt::AlignTop);
        grid->addWidget(label, row, 1, Qt::AlignTop);
        ++row;
    }
    grid->addLayout(markLegend(this), row, 0, 1, 2);
}

void fitPopupToItems(QComboBox* combo) {
    const QFontMetrics metrics(combo->view()->font());
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)));
    const int edge = combo->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int scrollBar = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = widest + metrics.averageCharWidth() + 2 * edge + scrollBar;
    combo->view()->setMinimumWidth(std::max(width, combo->width()));
}

} // namespace qdx
