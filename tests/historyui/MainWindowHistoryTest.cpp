#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "ui/history/CMarchStatusDlg.h"
#include "ui/history/CMatchDiffDlg.h"
#include "ui/history/HistoryWindows.h"
#include "ui/main/CCusporaDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace qdx;
using namespace qdx::test;

namespace {

const QString kNoHistoryTarget = QStringLiteral(
    "照合履歴設定対象が選択されていません。再度、行を選択し照合履歴ボタンを押下してください。");
const QString kNoCompareTarget = QStringLiteral("判明データ比較表示対象が選択されていません。再度、"
                                                "行を選択し比較表示ボタンを押下してください。");
const QString kNotIdentified = QStringLiteral("判明済みデータを選択してください。");

// 40 post-mortem records P-10001.. and 5 ante-mortem A-10001..; P-10003 is the same person as
// A-10001, P-10004 is under examination with A-10002.
std::string writeCase(const TempDir& dir) {
    std::vector<EnteredRecord> pm;
    for (int i = 1; i <= 40; ++i)
        pm.push_back({"P", std::to_string(10000 + i)});
    std::vector<EnteredRecord> am;
    for (int i = 1; i <= 5; ++i)
        am.push_back({"A", std::to_string(10000 + i)});
    const std::string path = dir.file("main.qdx");
    writeEnteredProject(path, pm, am, {matchRow(3, 1, "1"), matchRow(4, 2, "3")});
    return path;
}

// Runs `work` on the modal window of type T once it is open.
template <class T> void whenOpen(std::function<void(T&)> work) {
    QTimer::singleShot(0, [work] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("the window did not open");
        work(*dialog);
    });
}

} // namespace

class MainWindowHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void theMatchCommandsAreShownAndCheckTheSelection() {
        TempDir dir;
        const std::string path = writeCase(dir);
        ScriptedResponder prompts;
        CCusporaDlg window;
        plugInHistoryWindows(window);
        QVERIFY(window.startUp(QString::fromStdString(path)));
        window.show();
        for (const char* name : {"postMortemHistoryButton", "postMortemCompareButton",
                                 "anteMortemHistoryButton", "anteMortemCompareButton"})
            QVERIFY2(child<QPushButton>(window, name)->isVisible(), name);
        QVERIFY(!child<QPushButton>(window, "postMortemQrButton")->isVisible());
        const QPoint history = child<QPushButton>(window, "postMortemHistoryButton")->pos();
        QCOMPARE(history.x(), 291);
        QCOMPARE(child<QPushButton>(window, "postMortemCompareButton")->pos(),
                 QPoint(384, history.y()));

        for (int side = 0; side < 2; ++side)
            window.listView(side)->clearSelection();
        QTest::mouseClick(child<QPushButton>(window, "postMortemHistoryButton"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, "anteMortemCompareButton"), Qt::LeftButton);
        QCOMPARE(prompts.texts(), (QStringList{kNoHistoryTarget, kNoCompareTarget}));
        QCOMPARE(prompts.messages.first().icon, MessageIcon::Exclamation);

        // Only a row marked "*" can be compared: not one under examination, not one without.
        window.selectRow(0, 3);
        QCOMPARE(window.listModel(0)->markText(3), QStringLiteral("u"));
        QTest::mouseClick(child<QPushButton>(window, "postMortemCompareButton"), Qt::LeftButton);
        window.selectRow(1, 4);
        QTest::mouseClick(child<QPushButton>(window, "anteMortemCompareButton"), Qt::LeftButton);
        QCOMPARE(prompts.texts().mid(2), (QStringList{kNotIdentified, kNotIdentified}));

        // From either side the comparison shows the pair, the post-mortem record first.
        for (int side = 0; side < 2; ++side) {
            window.selectRow(side, side == 0 ? 2 : 0);
            QStringList shown;
            whenOpen<CMatchDiffDlg>([&shown](CMatchDiffDlg& dialog) {
                const QAbstractItemModel* rows = dialog.table()->model();
                for (int row = 0; row < rows->rowCount(); ++row)
                    shown << rows->index(row, 1).data().toString();
                dialog.findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
            });
            QTest::mouseClick(child<QPushButton>(window, side == 0 ? "postMortemCompareButton"
                                                                   : "anteMortemCompareButton"),
                              Qt::LeftButton);
            QCOMPARE(shown, (QStringList{QStringLiteral("P-10003"), QStringLiteral("A-10001")}));
        }
        QCOMPARE(prompts.messages.size(), 4);
    }

    void savedOutcomesReloadTheListsInPlace() {
        TempDir dir;
        const std::string path = writeCase(dir);
        ScriptedResponder prompts;
        CCusporaDlg window;
        plugInHistoryWindows(window);
        QVERIFY(window.startUp(QString::fromStdString(path)));
        window.resize(1200, 700);
        window.show();
        QTableView* pm = window.listView(0);
        pm->scrollToBottom();
        window.selectRow(0, 36);
        window.selectRow(1, 3);
        const int top = pm->rowAt(0);
        QVERIFY(top > 0);

        // Cancelled: nothing stored, nothing reloaded.
        whenOpen<CMarchStatusDlg>([&prompts](CMarchStatusDlg& dialog) {
            prompts.answer(MessageAnswer::Yes);
            dialog.closeAsking();
        });
        QTest::mouseClick(child<QPushButton>(window, "postMortemHistoryButton"), Qt::LeftButton);
        QCOMPARE(window.listModel(0)->markText(36), QString());

        // 保存: P-10037 is identified with A-10004 by other information.
        whenOpen<CMarchStatusDlg>([](CMarchStatusDlg& dialog) {
            QCOMPARE(
                dialog.findChild<QWidget*>(QStringLiteral("idLabel"))->property("text").toString(),
                QStringLiteral("P-10037"));
            dialog.findChild<QComboBox*>(QStringLiteral("kindCombo"))->setCurrentIndex(1);
            auto* upper = dialog.findChild<QComboBox*>(QStringLiteral("targetUpperCombo"));
            upper->setCurrentIndex(upper->findText(QStringLiteral("A")));
            auto* lower = dialog.findChild<QComboBox*>(QStringLiteral("targetLowerCombo"));
            lower->setCurrentIndex(lower->findText(QStringLiteral("10004")));
            dialog.registerTarget();
            dialog.save();
        });
        QTest::mouseClick(child<QPushButton>(window, "postMortemHistoryButton"), Qt::LeftButton);
        QCOMPARE(window.listModel(0)->markText(36), QStringLiteral("*"));
        QCOMPARE(window.listModel(1)->markText(3), QStringLiteral("*"));
        QCOMPARE(window.selectedRow(0), 36);
        QCOMPARE(window.selectedRow(1), 3);
        QCOMPARE(pm->rowAt(0), top);
        QVERIFY(window.model().settingsOrMatchesChanged());
        QVERIFY(prompts.allAnswered());
    }
};

QTEST_MAIN(MainWindowHistoryTest)
#include "MainWindowHistoryTest.moc"
