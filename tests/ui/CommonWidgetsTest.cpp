#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CMsgBoxDlg.h"
#include "ui/common/LongTask.h"
#include "ui/common/Prompts.h"

#include <QApplication>
#include <QImage>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
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

    // What the progress window of a running task showed, read by a timer.
    struct ShownProgress {
        QString label;
        QString title;
        bool appModal = false;
        bool cancelButton = false;
        bool overrideCursor = false;
        int value = -1;
        int maximum = -1;

        static ShownProgress now() {
            ShownProgress shown;
            auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (progress == nullptr || !progress->isVisible())
                return shown;
            shown.label = progress->labelText();
            shown.title = progress->windowTitle();
            shown.appModal = progress->windowModality() == Qt::ApplicationModal;
            shown.cancelButton = !progress->findChildren<QPushButton*>().isEmpty();
            shown.overrideCursor = QApplication::overrideCursor() != nullptr;
            shown.value = progress->value();
            shown.maximum = progress->maximum();
            return shown;
        }
    };

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
        LongTask quick(nullptr, QStringLiteral("quick"));
        quick.exec([] {});
        QVERIFY(!quick.progressShown());

        LongTask slow(nullptr, QStringLiteral("一覧を読み込んでいます..."));
        slow.setProgressDelay(20);
        bool ranElsewhere = false;
        bool runningInside = false;
        const auto uiThread = std::this_thread::get_id();
        ShownProgress shown;
        std::atomic<bool> looked{false};
        QTimer::singleShot(60, [&] {
            shown = ShownProgress::now();
            looked = true;
        });
        slow.exec([&] {
            ranElsewhere = std::this_thread::get_id() != uiThread;
            runningInside = LongTask::isRunning();
            // Until the window was looked at, at most ten seconds.
            for (int i = 0; i < 1000 && !looked; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        });
        QVERIFY(ranElsewhere);
        QVERIFY(runningInside);
        QVERIFY(slow.progressShown());
        QCOMPARE(shown.label, QStringLiteral("一覧を読み込んでいます..."));
        QCOMPARE(shown.title, QStringLiteral("Quendix Free"));
        QVERIFY(shown.appModal);
        QVERIFY(!shown.cancelButton);
        QVERIFY(shown.overrideCursor);
        QVERIFY(!LongTask::isRunning());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        bool caught = false;
        try {
            LongTask::run(nullptr, QStringLiteral("x"), [] { throw std::runtime_error("broken"); });
        } catch (const std::runtime_error& error) {
            caught = QString::fromUtf8(error.what()) == QStringLiteral("broken");
        }
        QVERIFY(caught);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(!LongTask::isRunning());
    }

    void cancellableWorkReportsProgressAndStopsOnCancel() {
        // Quick work that completes shows nothing and reports success.
        LongTask quick(nullptr, QStringLiteral("検索しています…"));
        QVERIFY(quick.execCancellable(
            [](const SearchControl& control) { return control.progress(1, 1); }));
        QVERIFY(!quick.progressShown());
        // Work that gives up on its own is not a success.
        QVERIFY(!quick.execCancellable([](const SearchControl&) { return false; }));

        // The cancel button of the progress window reaches the work through its control.
        LongTask task(nullptr, QStringLiteral("検索しています…"));
        task.setProgressDelay(20);
        ShownProgress shown;
        // Once the window shows some progress (for at most four seconds), press its button.
        int looks = 0;
        std::function<void()> pressCancel = [&] {
            auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if ((progress == nullptr || progress->value() <= 0) && ++looks < 200) {
                QTimer::singleShot(20, pressCancel);
                return;
            }
            shown = ShownProgress::now();
            if (progress != nullptr)
                for (QPushButton* button : progress->findChildren<QPushButton*>())
                    QTest::mouseClick(button, Qt::LeftButton);
        };
        QTimer::singleShot(20, pressCancel);
        bool sawCancel = false;
        bool progressAnswer = true;
        const bool completed = task.execCancellable([&](const SearchControl& control) {
            // At most ten seconds, should the cancel never come.
            for (std::size_t i = 0; i < 2000 && !control.cancel->load(); ++i) {
                progressAnswer = control.progress(std::min<std::size_t>(i, 50), 100);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            sawCancel = control.cancel->load();
            progressAnswer = control.progress(60, 100);
            return true;
        });
        QVERIFY(!completed);
        QVERIFY(sawCancel);
        QVERIFY(!progressAnswer);
        QVERIFY(task.progressShown());
        QCOMPARE(shown.label, QStringLiteral("検索しています…"));
        QVERIFY(shown.appModal);
        QVERIFY(shown.cancelButton);
        QVERIFY(shown.value > 0 && shown.value <= 500);
        QCOMPARE(shown.maximum, 1000);
        QVERIFY(QApplication::overrideCursor() == nullptr);

        // Its failures reach the caller too.
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 task.execCancellable([](const SearchControl&) -> bool {
                                     throw std::runtime_error("window search failed");
                                 }));
        QVERIFY(!LongTask::isRunning());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(CommonWidgetsTest)
#include "CommonWidgetsTest.moc"
