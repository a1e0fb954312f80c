#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"

#include "app/ProjectShell.h"
#include "io/TextCodec.h"
#include "store/StoreError.h"
#include "ui/main/CCusporaDlg.h"

#include <QAction>
#include <QFileInfo>
#include <QTest>

using namespace qdx;
using namespace qdx::test;

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

class ProjectTransferTest : public QObject {
    Q_OBJECT
private slots:
    void mergeAddsRecordsAndRenamesClashes() {
        TempDir dir;
        const std::string target = dir.file("target.qdx");
        const std::string source = dir.file("source.qdx");
        writeEnteredProject(target, {{"A", "00001"}}, {{"X", "00001"}});
        writeEnteredProject(source, {{"A", "00001"}, {"N", "00001"}}, {{"Y", "00001"}},
                            {matchRow(1, 1, "3")});
        ScriptedResponder prompts;
        // The import is shown disabled in the standard layout; the hidden-commands run offers it.
        CCusporaDlg window(true);
        QVERIFY(window.startUp(qs(target)));
        QVERIFY(window.action(CCusporaDlg::CmdImportProject)->isEnabled());
        prompts.answer(MessageAnswer::Yes);
        prompts.choose(qs(source));
        window.action(CCusporaDlg::CmdImportProject)->trigger();
        QVERIFY2(prompts.allAnswered(), qPrintable(prompts.texts().join("|")));
        QVERIFY(prompts.texts().first().startsWith(QStringLiteral("現在のデータに追加します。")));
        QCOMPARE(prompts.texts().last(), QStringLiteral("IDが重複したため、ID上位部の先頭に「IMPORT"
                                                        "」を追加しました。\n修正してください。"));
        QCOMPARE(window.listModel(0)->rowCount(), 3);
        QCOMPARE(window.listModel(1)->rowCount(), 2);
        QVERIFY(window.listModel(0)->rowOfKey(QStringLiteral("2")) >= 0);
        QCOMPARE(window.listModel(0)->idText(window.listModel(0)->rowOfKey(QStringLiteral("2"))),
                 QStringLiteral("IMPORTA-00001"));
        // The match row followed its records and marks both as under examination.
        QCOMPARE(window.listModel(0)->markText(window.listModel(0)->rowOfKey(QStringLiteral("2"))),
                 QStringLiteral("u"));
        QVERIFY(!QFileInfo::exists(qs(dir.file("bck_Quendix.qdx"))));
        QVERIFY(window.model().recordsChangedPM());
    }

    void aFailedMergeRestoresTheProjectFile() {
        TempDir dir;
        const std::string path = dir.file("self.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}}, {});
        const std::string saved = readBytes(path);
        ScriptedResponder prompts;
        CCusporaDlg window;
        QVERIFY(window.startUp(qs(path)));
        // The unsaved delete is dropped when the import asks about it.
        prompts.answer(MessageAnswer::Yes);
        window.selectRow(0, 0);
        window.deleteRecord(0);
        prompts.answer(MessageAnswer::Yes);
        prompts.choose(qs(path));
        prompts.answer(MessageAnswer::No);
        // The open project itself cannot be read while it is held: the merge fails.
        window.importProject();
        QVERIFY2(prompts.allAnswered(), qPrintable(prompts.texts().join("|")));
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Error);
        QVERIFY(prompts.texts().last().contains(QLatin1Char('\n')));
        QVERIFY(window.model().isOpen());
        QVERIFY(!QFileInfo::exists(qs(dir.file("bck_Quendix.qdx"))));
        QCOMPARE(window.listModel(0)->rowCount(), 2);
        window.model().close(false);
        QCOMPARE(readBytes(path), saved);
    }

    void aStoreFailureDuringTheMergeShowsTheDatabaseText() {
        TempDir dir;
        const std::string target = dir.file("target.qdx");
        const std::string source = dir.file("source.qdx");
        writeEnteredProject(target, {{"A", "00001"}}, {});
        writeProject(source, {chartRecord("Z-00001", std::string(32, '1'))},
                     {chartRecord("Y-00001", std::string(32, '2'))}, {matchRow(1, 1, "3")});
        // Match rows cannot be written into the target: its records go in, then it fails.
        QVERIFY(refuseInsertsOnDisk(target, "TB_MATCH"));
        const std::string saved = readBytes(target);
        ScriptedResponder prompts;
        CCusporaDlg window;
        QVERIFY(window.startUp(qs(target)));
        prompts.answer(MessageAnswer::Yes);
        prompts.choose(qs(source));
        window.importProject();
        QVERIFY2(prompts.allAnswered(), qPrintable(prompts.texts().join("|")));
        QCOMPARE(prompts.messages.size(), 2); // the question, then the failure
        QCOMPARE(prompts.texts().last(),
                 QString::fromStdString(std::string(storeErrorMessage(ErrStep)) + "\nrefused"));
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Error);
        QVERIFY(window.model().isOpen());
        QVERIFY(!QFileInfo::exists(qs(dir.file("bck_Quendix.qdx"))));
        QCOMPARE(window.listModel(0)->rowCount(), 1);
        QCOMPARE(window.listModel(1)->rowCount(), 0);
        window.model().close(false);
        QCOMPARE(readBytes(target), saved);
    }

    void aSaveThatFailsBeforeTheImportStopsIt() {
        TempDir dir;
        const std::string path = dir.file("s.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {});
        ScriptedResponder prompts;
        CCusporaDlg window;
        window.shell().setDocumentsFolder(qs(dir.path().string()));
        QVERIFY(window.startUp(qs(path)));
        // The project's transaction ended behind its back: leaving it for the backup fails.
        QCOMPARE(sqlite3_exec(window.model().database().connection(), "COMMIT", nullptr, nullptr,
                              nullptr),
                 SQLITE_OK);
        prompts.answer(MessageAnswer::Yes);
        prompts.choose(qs(std::string(QDX_TEST_DATA_DIR) + "/io/pen_two_forms.csv"));
        window.importPenCsv(0);
        QVERIFY2(prompts.allAnswered(), qPrintable(prompts.texts().join("|")));
        QCOMPARE(prompts.messages.size(), 2); // the question, then the failure; no import
        QVERIFY(prompts.texts().last().startsWith(
            qs(std::string(storeErrorMessage(ErrRollback)) + "\n")));
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Error);
        QVERIFY(window.model().isOpen());
        QVERIFY(!QFileInfo::exists(qs(dir.file("bck_Quendix.qdx"))));
        QCOMPARE(window.listModel(0)->rowCount(), 1);
    }

    void exportWritesThreeFiles() {
        TempDir dir;
        const std::string path = dir.file("e.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {{"X", "00001"}, {"Y", "00002"}},
                            {matchRow(1, 1, "1")});
        ScriptedResponder prompts;
        CCusporaDlg window(true);
        QVERIFY(window.startUp(qs(path)));
        prompts.choose(qs(dir.file("pm.csv")));
        prompts.choose(qs(dir.file("am.csv")));
        prompts.choose(qs(dir.file("match.csv")));
        window.action(CCusporaDlg::CmdExport)->trigger();
        QVERIFY(prompts.allAnswered());
        QCOMPARE(prompts.choices.size(), 3);
        QCOMPARE(prompts.choices.at(1).title, QStringLiteral("名前を付けて生前データを保存"));
        QCOMPARE(prompts.choices.at(0).kind, Prompts::FileChoice::Save);
        const std::string pm = TextCodec::toUtf8(readBytes(dir.file("pm.csv")));
        QVERIFY(pm.rfind("死後デンタルチャート（事後：対象の直接観察）\r\n", 0) == 0);
        const std::string am = TextCodec::toUtf8(readBytes(dir.file("am.csv")));
        QCOMPARE(std::count(am.begin(), am.end(), '\n'), 7L);
        const std::string matches = TextCodec::toUtf8(readBytes(dir.file("match.csv")));
        QVERIFY(matches.find("\r\n1,1,1,1\r\n") != std::string::npos);

        // Cancelling the second file name ends the command without writing anything.
        TempDir other;
        prompts.choose(qs(other.file("pm.csv")));
        prompts.choose(QString());
        window.exportProject();
        QVERIFY(!QFileInfo::exists(qs(other.file("pm.csv"))));
    }
};

QTEST_MAIN(ProjectTransferTest)
#include "ProjectTransferTest.moc"
