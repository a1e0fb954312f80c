#include "store/SearchSettings.h"
#include "ui/common/CColorButton.h"
#include "ui/entry/CRulerDlg.h"

#include <QPlainTextEdit>
#include <QTest>

namespace qdx {

class RulerDialogTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheFiveClassTextsAndRefreshes();
    void closeHidesAndEscDoesNothing();
};

void RulerDialogTest::showsTheFiveClassTextsAndRefreshes() {
    QWidget owner;
    CRulerDlg ruler(&owner);
    SearchSettings settings;
    ruler.showTexts(settings.rulers);
    QVERIFY(ruler.isVisible());
    QVERIFY(!ruler.isModal());
    QCOMPARE(ruler.windowTitle(), QStringLiteral("分類基準 - Quendix Free"));
    // Line breaks of the stored texts show as line breaks; the sixth text is not shown.
    QVERIFY(ruler.text(0).startsWith(QStringLiteral("健全歯、齲蝕歯\n（Ｃ１")));
    QVERIFY(ruler.text(4).startsWith(QStringLiteral("情報なし\n")));
    QCOMPARE(ruler.findChildren<QPlainTextEdit*>().size(), 5);
    for (QPlainTextEdit* edit : ruler.findChildren<QPlainTextEdit*>())
        QVERIFY(edit->isReadOnly());

    settings.rulers[2] = "王冠";
    ruler.showTexts(settings.rulers);
    QCOMPARE(ruler.text(2), QStringLiteral("王冠"));
}

void RulerDialogTest::closeHidesAndEscDoesNothing() {
    QWidget owner;
    CRulerDlg ruler(&owner);
    ruler.showTexts(SearchSettings().rulers);
    QVERIFY(QTest::qWaitForWindowExposed(&ruler));
    QTest::keyClick(&ruler, Qt::Key_Escape);
    QVERIFY(ruler.isVisible());
    auto* close = ruler.findChild<CColorButton*>(QStringLiteral("closeButton"));
    QVERIFY(close);
    QCOMPARE(close->faceColor(), CColorButton::confirmFace());
    close->setFocus();
    QTest::keyClick(close, Qt::Key_Return);
    QVERIFY(!ruler.isVisible());
    ruler.showTexts(SearchSettings().rulers);
    QVERIFY(ruler.isVisible());
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(!ruler.isVisible());
    // The close box hides it as well, and it can be shown again.
    ruler.showTexts(SearchSettings().rulers);
    ruler.close();
    QVERIFY(!ruler.isVisible());
}

} // namespace qdx

QTEST_MAIN(qdx::RulerDialogTest)
#include "RulerDialogTest.moc"
