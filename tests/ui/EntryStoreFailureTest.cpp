#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"

#include "store/ProjectModel.h"
#include "ui/main/CCusporaDlg.h"

#include <QTest>

using namespace qdx;
using namespace qdx::test;

class EntryStoreFailureTest : public QObject {
    Q_OBJECT
private slots:
    // A store that fails like a full disk rolls the whole project transaction back: the
    // examiner is told that the unsaved changes are gone and works on in the project as last
    // saved, held again, instead of seeing the lost changes silently undone while later edits
    // reach the file unasked.
    void aRolledBackStoreIsToldAndTheProjectReopened() {
        TempDir dir;
        const std::string path = dir.file("f.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}}, {{"X", "00001"}});
        QVERIFY(rollBackInsertsOnDisk(path, "TB_BEFOR"));
        ScriptedResponder prompts;
        CCusporaDlg window;
        QVERIFY(window.startUp(QString::fromStdString(path)));
        window.setWindowOpener(CCusporaDlg::WindowKind::Entry,
                               [](CCusporaDlg& main, const CCusporaDlg::WindowRequest& request) {
                                   main.model().entry().side = request.side;
                                   main.model().entry().upperIdPart = "Y";
                                   main.model().entry().lowerIdPart = "00002";
                                   return true;
                               });
        prompts.answer(MessageAnswer::Yes);
        window.deleteRecord(PostMortem);
        QCOMPARE(window.listModel(PostMortem)->rowCount(), 1);

        window.newRecord(AnteMortem);
        const QStringList texts = prompts.texts();
        // The store's own message with the database's text, then what became of the changes.
        QVERIFY(texts.at(texts.size() - 2).endsWith(QStringLiteral("\ndatabase or disk is full")));
        QCOMPARE(texts.last(),
                 QStringLiteral("データベースへの書き込みに失敗したため、保存していない変更は取り"
                                "消されました。プロジェクトを最後に保存した状態で開き直します。"));
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Error);
        QVERIFY(prompts.allAnswered());

        QVERIFY(window.model().isOpen());
        QVERIFY(!window.model().transactionLost());
        QVERIFY(!window.model().anyChanged());
        QCOMPARE(window.listModel(PostMortem)->rowCount(), 2);
        QCOMPARE(window.listModel(AnteMortem)->rowCount(), 1);
        // The file is held again: nobody else can read it, and the next change stays unsaved.
        QCOMPARE(countOnDisk(path, "SELECT COUNT(*) FROM TB_AFTER"), -1);
        prompts.answer(MessageAnswer::Yes);
        window.deleteRecord(PostMortem);
        QVERIFY(window.model().anyChanged());
        window.model().close(false);
        QCOMPARE(countOnDisk(path, "SELECT COUNT(*) FROM TB_AFTER"), 2);
    }
};

QTEST_MAIN(EntryStoreFailureTest)
#include "EntryStoreFailureTest.moc"
