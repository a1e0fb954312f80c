#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "store/ProjectModel.h"
#include "ui/main/CCusporaDlg.h"

#include <QAction>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace qdx;
using namespace qdx::test;

namespace {

// A shown window on a project written beforehand, opened as if named on the command line.
struct OpenWindow {
    explicit OpenWindow(const std::string& path) {
        opened = window.startUp(QString::fromStdString(path));
        window.show();
    }
    CCusporaDlg window;
    bool opened = false;
};

void writeThreeAndThree(const std::string& path) {
    writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}, {"C", "00003"}},
                        {{"X", "00001"}, {"Y", "00002"}, {"Z", "00003"}});
}

int direction(const CCusporaDlg& window) {
    return window.currentConditions().searchDirection;
}

} // namespace

class MainWindowKeyboardTest : public QObject {
    Q_OBJECT
private slots:
    // The individual search runs for the record the examiner sees highlighted, however the row
    // was reached, in the direction that searches with that record's side.
    void theSearchedRecordFollowsTheHighlightedRow() {
        TempDir dir;
        const std::string path = dir.file("k.qdx");
        writeThreeAndThree(path);
        {
            // Right after start-up: the list of the stored direction 0 (生前→死後) shows its
            // newest record highlighted.
            OpenWindow w(path);
            QVERIFY(w.opened);
            QCOMPARE(direction(w.window), 0);
            QCOMPARE(w.window.currentId(), QStringLiteral("Z-00003"));

            // Arrow keys on the post-mortem list.
            QTableView* pm = w.window.listView(PostMortem);
            QTest::keyClick(pm, Qt::Key_Up);
            QCOMPARE(w.window.selectedRow(PostMortem), 1);
            QCOMPARE(w.window.currentId(), QStringLiteral("B-00002"));
            QCOMPARE(direction(w.window), 1);

            // Typing an ID on the ante-mortem list finds the record by its ID.
            QTableView* am = w.window.listView(AnteMortem);
            QTest::keyClicks(am, QStringLiteral("x-0"));
            QCOMPARE(w.window.selectedRow(AnteMortem), 0);
            QCOMPARE(w.window.currentId(), QStringLiteral("X-00001"));
            QCOMPARE(direction(w.window), 0);

            // A reload keeps both highlighted rows and the direction.
            w.window.applySearchConditions(w.window.currentConditions(), true);
            QCOMPARE(w.window.currentId(), QStringLiteral("X-00001"));
            QCOMPARE(w.window.selectedRow(PostMortem), 1);
        }
        {
            // A project stored with 死後→生前 starts on the highlighted post-mortem record.
            ProjectModel model;
            openWithLists(model, path);
            model.storeSearchConditions({1, 1, 0, 0});
            model.close(true);
        }
        OpenWindow w(path);
        QCOMPARE(direction(w.window), 1);
        QCOMPARE(w.window.currentId(), QStringLiteral("C-00003"));
    }

    // Enter on a list opens the highlighted record as its double click does; on a button it
    // runs that button; no default button answers it (it used to open an empty 新規登録).
    void enterOpensTheRowOrRunsTheFocusedButton() {
        TempDir dir;
        const std::string path = dir.file("e.qdx");
        writeThreeAndThree(path);
        ScriptedResponder prompts;
        OpenWindow w(path);
        QList<CCusporaDlg::WindowRequest> opened;
        w.window.setWindowOpener(CCusporaDlg::WindowKind::Entry,
                                 [&opened](CCusporaDlg&, const CCusporaDlg::WindowRequest& r) {
                                     opened << r;
                                     return false;
                                 });
        QTableView* am = w.window.listView(AnteMortem);
        am->setFocus();
        QTest::keyClick(am, Qt::Key_Up);
        QTest::keyClick(am, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].side, int(AnteMortem));
        QCOMPARE(opened[0].mode, 1);
        QCOMPARE(opened[0].dentalId, 2LL);

        // Without a highlighted row Enter opens nothing.
        w.window.selectRow(PostMortem, -1);
        QTest::keyClick(w.window.listView(PostMortem), Qt::Key_Enter);
        QTest::keyClick(&w.window, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);

        auto* remove = child<QPushButton>(w.window, "anteMortemDeleteButton");
        remove->setFocus();
        prompts.answer(MessageAnswer::No);
        QTest::keyClick(remove, Qt::Key_Return);
        QCOMPARE(prompts.texts().last(), QStringLiteral("本当に削除しますがよろしいですか？"));
        QVERIFY(prompts.allAnswered());
        QCOMPARE(opened.size(), 1);
    }

    void ctrlSSavesTheProject() {
        TempDir dir;
        const std::string path = dir.file("s.qdx");
        writeThreeAndThree(path);
        ScriptedResponder prompts;
        OpenWindow w(path);
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        prompts.answer(MessageAnswer::Yes);
        w.window.deleteRecord(PostMortem);
        QVERIFY(w.window.model().anyChanged());
        QTest::keyClick(&w.window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!w.window.model().anyChanged());
        QCOMPARE(w.window.action(CCusporaDlg::CmdSaveProject)->shortcut(),
                 QKeySequence(QKeySequence::Save));
        w.window.model().close(false);
        QCOMPARE(countOnDisk(path, "SELECT COUNT(*) FROM TB_AFTER"), 2);
    }
};

QTEST_MAIN(MainWindowKeyboardTest)
#include "MainWindowKeyboardTest.moc"
