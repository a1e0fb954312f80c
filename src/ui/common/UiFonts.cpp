#include "ui/common/UiFonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

namespace qdx {

void UiFonts::installSubstitutions() {
    const QString japanese = QStringLiteral("IPAGothic");
    const QStringList windowsNames = {
        QStringLiteral("MS UI Gothic"),    QStringLiteral("MS Shell Dlg"),
        QStringLiteral("MS Shell Dlg 2"),  QStringLiteral("MS Gothic"),
        QStringLiteral("MS PGothic"),      QStringLiteral("ＭＳ ゴシック"),
        QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Meiryo UI")};
    const QStringList installed = QFontDatabase::families();
    for (const QString& name : windowsNames) {
        if (!installed.contains(name)) {
            QFont::insertSubstitution(name, japanese);
        }
    }
}

QFont UiFonts::dialogFont() {
    QFont font(QStringLiteral("MS UI Gothic"));
    font.setPointSize(9);
    return font;
}

QFont UiFonts::scaled(const QFont& base, double factor, bool bold) {
    QFont font = base;
    if (base.pointSizeF() > 0) {
        font.setPointSizeF(base.pointSizeF() * factor);
    } else {
        font.setPixelSize(static_cast<int>(base.pixelSize() * factor + 0.5));
    }
    font.setBold(bold);
    return font;
}

} // namespace qdx
