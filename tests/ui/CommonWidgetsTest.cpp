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
    static MessageAnswer runBox(CMsgBoxDlg& box, const std::function<void()>& act) {
        QTimer::singleShot(0, &box, act);
        return CMsgBoxDlg::answerFor(box.exec());
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
        CMsgBoxDlg ok(QStringLiteral("a"), MessageButtons::Ok, MessageIcon::Information);
        QCOMPARE(visibleCaptions(ok), QStringList{"OK:1425"});
        CMsgBoxDlg okCancel(QStringLiteral("a"), MessageButtons::OkCancel, MessageIcon::None);
        QCOMPARE(visibleCaptions(okCancel), (QStringList{"OK:1425", "キャンセル:1427"}));
        CMsgBoxDlg yesNoCancel(QStringLiteral("a"), MessageButtons::YesNoCancel,
                               MessageIcon::Question);
        QCOMPARE(visibleCaptions(yesNoCancel),
                 (QStringList{"はい:1425", "いいえ:7", "キャンセル:1427"}));
        CMsgBoxDlg yesNo(QStringLiteral("a"), MessageButtons::YesNo, MessageIcon::Question);
        QCOMPARE(visibleCaptions(yesNo), (QStringList{"はい:1425", "いいえ:7"}));
        // The right-most visible button is always the third position.
        QVERIFY(!yesNo.button(2)->isHidden());
    }

    void iconsFollowTheKind() {
        for (MessageIcon icon : {MessageIcon::Error, MessageIcon::Question,
                                 MessageIcon::Exclamation, MessageIcon::Information}) {
            QVERIFY(CMsgBoxDlg(QStringLiteral("x"), MessageButtons::Ok, icon).hasIcon());
        }
        QVERIFY(!CMsgBoxDlg(QStringLiteral("x"), MessageButtons::Ok, MessageIcon::None).hasIcon());
    }

    void buttonsReturnTheirResults() {
        CMsgBoxDlg ok(QStringLiteral("done"), MessageButtons::Ok, MessageIcon::Information);
        QCOMPARE(runBox(ok, [&] { ok.button(2)->click(); }), MessageAnswer::Ok);

        CMsgBoxDlg yesNo(QStringLiteral("q"), MessageButtons::YesNo, MessageIcon::Question);
        QCOMPARE(runBox(yesNo, [&] { yesNo.button(2)->click(); }), MessageAnswer::No);
        CMsgBoxDlg yesNo2(QStringLiteral("q"), MessageButtons::YesNo, MessageIcon::Question);
        QCOMPARE(runBox(yesNo2, [&] { yesNo2.button(1)->click(); }), MessageAnswer::Yes);

        CMsgBoxDlg three(QStringLiteral("q"), MessageButtons::YesNoCancel, MessageIcon::Question);
        QCOMPARE(runBox(three, [&] { three.button(2)->click(); }), MessageAnswer::Cancel);
        CMsgBoxDlg okCancel(QStringLiteral("q"), MessageButtons::OkCancel, MessageIcon::Question);
        QCOMPARE(runBox(okCancel, [&] { okCancel.button(1)->click(); }), MessageAnswer::Ok);
    }

    void escapeIsIgnoredAndCloseBoxCancels() {
        CMsgBoxDlg box(QStringLiteral("q"), MessageButtons::YesNo, MessageIcon::Question);
        const MessageAnswer result = runBox(box, [&] {
            QTest::keyClick(&box, Qt::Key_Escape);
            QVERIFY(box.isVisible());
            box.close();
        });
        QCOMPARE(result, MessageAnswer::Cancel);
    }

    void enterPressesTheFocusedButton() {
        CMsgBoxDlg box(QStringLiteral("q"), MessageButtons::YesNoCancel, MessageIcon::Question);
        const MessageAnswer result = runBox(box, [&] {
            box.button(1)->setFocus();
            QTest::keyClick(box.button(1), Qt::Key_Return);
        });
        QCOMPARE(result, MessageAnswer::No);
        CMsgBoxDlg ok(QStringLiteral("q"), MessageButtons::Ok, MessageIcon::Exclamation);
        QCOMPARE(runBox(ok, [&] { QTest::keyClick(ok.focusWidget(), Qt::Key_Return); }),
                 MessageAnswer::Ok);
    }

    void storeMessagesComeFromTheirIdentifier() {
        CMsgBoxDlg box(112, MessageButtons::Ok, MessageIcon::Error);
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
};

QTEST_MAIN(CommonWidgetsTest)
#include "CommonWidgetsTest.moc"
