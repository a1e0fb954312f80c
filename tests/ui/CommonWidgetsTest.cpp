#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CMsgBoxDlg.h"
#include "ui/common/LongTask.h"
#include "ui/common/Prompts.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>

#include <functional>
#include <stdexcept>
#include <thread>

using namespace qdx;

class CommonWidgetsTest : public QObject {
    Q_OBJECT

    // Runs the box modally and lets `act` press keys or buttons once it is up.
    static int runBox(CMsgBoxDlg& box, const std::function<void()>& act) {
        QTimer::singleShot(0, &box, act);
        return box.exec();
    }

    static QStringList visibleCaptions(const CMsgBoxDlg& box) {
        QStringList captions;
        for (int i = 0; i < 3; ++i) {
            if (!box.button(i)->isHidden()) {
                captions << box.button(i)->text() + ":" +
                                QString::number(CMsgBoxDlg::actingId(box.button(i)));
            }
        }
        return captions;
    }

private slots:
    void buttonSetsDecideCaptionsAndIdentifiers() {
        CMsgBoxDlg ok(QStringLiteral("a"), 0, 64);
        QCOMPARE(visibleCaptions(ok), QStringList{"OK:1425"});
        CMsgBoxDlg okCancel(QStringLiteral("a"), 1, 0);
        QCOMPARE(visibleCaptions(okCancel), (QStringList{"OK:1425", "キャンセル:1427"}));
        CMsgBoxDlg yesNoCancel(QStringLiteral("a"), 3, 32);
        QCOMPARE(visibleCaptions(yesNoCancel),
                 (QStringList{"はい:1425", "いいえ:7", "キャンセル:1427"}));
        CMsgBoxDlg yesNo(QStringLiteral("a"), 4, 32);
        QCOMPARE(visibleCaptions(yesNo), (QStringList{"はい:1425", "いいえ:7"}));
        // The right-most visible button is always the third position.
        QVERIFY(!yesNo.button(2)->isHidden());
        CMsgBoxDlg other(QStringLiteral("a"), 2, 32);
        QCOMPARE(visibleCaptions(other), (QStringList{"はい:1425", "いいえ:7", "キャンセル:1427"}));
    }

    void iconsFollowTheKind() {
        for (int icon : {16, 32, 48, 64}) {
            QVERIFY(CMsgBoxDlg(QStringLiteral("x"), 0, icon).hasIcon());
        }
        QVERIFY(!CMsgBoxDlg(QStringLiteral("x"), 0, 0).hasIcon());
        QVERIFY(!CMsgBoxDlg(QStringLiteral("x"), 0, 17).hasIcon());
    }

    void buttonsReturnTheirResults() {
        CMsgBoxDlg ok(QStringLiteral("done"), 0, 64);
        QCOMPARE(runBox(ok, [&] { ok.button(2)->click(); }), 6);

        CMsgBoxDlg yesNo(QStringLiteral("q"), 4, 32);
        QCOMPARE(runBox(yesNo, [&] { yesNo.button(2)->click(); }), 7);
        CMsgBoxDlg yesNo2(QStringLiteral("q"), 4, 32);
        QCOMPARE(runBox(yesNo2, [&] { yesNo2.button(1)->click(); }), 6);

        CMsgBoxDlg three(QStringLiteral("q"), 3, 32);
        QCOMPARE(runBox(three, [&] { three.button(2)->click(); }), 2);
        CMsgBoxDlg okCancel(QStringLiteral("q"), 1, 32);
        QCOMPARE(runBox(okCancel, [&] { okCancel.button(1)->click(); }), 6);
    }

    void escapeIsIgnoredAndCloseBoxCancels() {
        CMsgBoxDlg box(QStringLiteral("q"), 4, 32);
        const int result = runBox(box, [&] {
            QTest::keyClick(&box, Qt::Key_Escape);
            QVERIFY(box.isVisible());
            box.close();
        });
        QCOMPARE(result, 2);
    }

    void enterPressesTheFocusedButton() {
        CMsgBoxDlg box(QStringLiteral("q"), 3, 32);
        const int result = runBox(box, [&] {
            box.button(1)->setFocus();
            QTest::keyClick(box.button(1), Qt::Key_Return);
        });
        QCOMPARE(result, 7);
        CMsgBoxDlg ok(QStringLiteral("q"), 0, 48);
        QCOMPARE(runBox(ok, [&] { QTest::keyClick(ok.focusWidget(), Qt::Key_Return); }), 6);
    }

    void storeMessagesComeFromTheirIdentifier() {
        CMsgBoxDlg box(112, 0, 16);
        QCOMPARE(box.text(), QStringLiteral("データベースは使用中です。"));
        QCOMPARE(box.windowTitle(), QStringLiteral("Quendix Free"));
    }

    void colorButtonDrawsItsFaceAndGreysWhenDisabled() {
        CColorButton button(QStringLiteral("終了"));
        button.resize(100, 30);
        button.setColors(CColorButton::confirmFace(), Qt::white);
        QImage face = button.grab().toImage();
        QCOMPARE(QColor(face.pixel(50, 6)), CColorButton::confirmFace());
        button.setEnabled(false);
        face = button.grab().toImage();
        QVERIFY(QColor(face.pixel(50, 6)) != CColorButton::confirmFace());
    }

    void colorStaticUsesItsOwnColor() {
        CColorStatic label(QStringLiteral("全件数  3件"));
        label.setTextColor(Qt::red);
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(!label.autoFillBackground());
    }

    void longWorkShowsProgressAndPassesFailuresOn() {
        const int oldDelay = LongTask::progressDelay();
        LongTask::run(nullptr, QStringLiteral("quick"), [] {});
        QVERIFY(LongTask::lastShownLabel().isEmpty());
        LongTask::setProgressDelay(20);
        bool ranElsewhere = false;
        bool runningInside = false;
        const auto uiThread = std::this_thread::get_id();
        LongTask::run(nullptr, QStringLiteral("一覧を読み込んでいます..."), [&] {
            ranElsewhere = std::this_thread::get_id() != uiThread;
            runningInside = LongTask::isRunning();
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        });
        QVERIFY(ranElsewhere);
        QVERIFY(runningInside);
        QCOMPARE(LongTask::lastShownLabel(), QStringLiteral("一覧を読み込んでいます..."));
        QVERIFY(!LongTask::isRunning());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        bool caught = false;
        try {
            LongTask::run(nullptr, QStringLiteral("x"), [] { throw std::runtime_error("broken"); });
        } catch (const std::runtime_error& error) {
            caught = QString::fromUtf8(error.what()) == QStringLiteral("broken");
        }
        QVERIFY(caught);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        LongTask::setProgressDelay(oldDelay);
    }

    void filtersBecomeQtFilters() {
        QCOMPARE(Prompts::qtFilter(
                     QStringLiteral("Quendix Project (*.qdx)|*.qdx|すべてのファイル (*.*)|*.*||")),
                 QStringLiteral("Quendix Project (*.qdx);;すべてのファイル (*.*)"));
    }
};

QTEST_MAIN(CommonWidgetsTest)
#include "CommonWidgetsTest.moc"
