// What the main window says when the file system fails under it, and that the saved project
// stays as it was: a full disk at 保存 after an import, a write-protected project, the project
// file removed or replaced while open, a documents folder that cannot take the project folder.
#include "support/IoFaults.h"
#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"

#include "app/CCusporaApp.h"
#include "app/ProjectShell.h"
#include "app/StartupOptions.h"
#include "io/TextCodec.h"
#include "ui/main/CCusporaDlg.h"

#include <QAction>
#include <QTest>

#include <filesystem>

using namespace qdx;
using namespace qdx::test;

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

const QString kReadOnly = QStringLiteral("プロジェクトファイルに書き込めません。ファイルとそのフォ"
                                         "ルダが書き込み禁止になっていないか確認してください。\n");
const QString kFileGone = QStringLiteral(
    "プロジェクトファイルが開いている間に削除されたか別のファイルに置き換えられたため、保存できま"
    "せんでした。保存していない変更は取り消されました。\n");

// A pen CSV file of `forms` forms with IDs of their own.
std::string writePenFile(const std::string& path, int forms) {
    std::string text =
        "遺体番号,性別,検査日,最終更新日時,検死場所,口腔内写真枚数,エックス線写真枚数,x\r\n";
    for (int i = 0; i < forms; ++i) {
        QStringList form;
        for (int k = 0; k < 64; ++k)
            form << QString();
        form[1] = QStringLiteral("1");
        form[3] = QStringLiteral("2024/05/01 10:00:00");
        form[4] = QStringLiteral("東京");
        form[7] = QStringLiteral("12");
        form[8] = QStringLiteral("11");
        form[62] = QStringLiteral("P%1").arg(1000 + i);
        text += form.join(QLatin1Char(',')).toStdString() + "\r\n";
    }
    writeBytes(path, TextCodec::toCp932(text));
    return path;
}

// A window on a saved project with two post-mortem records and one ante-mortem record.
struct OpenProject {
    explicit OpenProject(const std::string& name = "p.qdx") : path(dir.file(name)) {
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}}, {{"X", "00001"}});
        saved = readBytes(path);
        window.shell().setDocumentsFolder(qs(dir.path().string()));
        opened = window.startUp(qs(path));
    }
    // Deletes the first post-mortem record, answering its question.
    void deleteOne(ScriptedResponder& prompts) {
        prompts.answer(MessageAnswer::Yes);
        window.deleteRecord(PostMortem);
    }
    TempDir dir;
    std::string path;
    std::string saved;
    CCusporaDlg window;
    bool opened = false;
};

} // namespace

class IoFaultWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The pen import stores into the open project; 保存 then finds the disk full. The user is
    // told that nothing was saved, and the window shows the project as last saved.
    void aFullDiskAtSaveAfterAnImportKeepsTheSavedProject() {
        OpenProject p;
        QVERIFY(p.opened);
        ScriptedResponder prompts;
        const std::string pen = writePenFile(p.dir.file("pen.csv"), 300);
        {
            FileSizeLimit full(p.saved.size());
            QVERIFY(full.active());
            prompts.answer(MessageAnswer::Yes);
            prompts.choose(qs(pen));
            p.window.action(CCusporaDlg::CmdImportPenPM)->trigger();
            QCOMPARE(prompts.texts().last(), QStringLiteral("インポートが終了しました。"));
            QCOMPARE(p.window.listModel(PostMortem)->rowCount(), 302);
            p.window.action(CCusporaDlg::CmdSaveProject)->trigger();
        }
        QVERIFY2(prompts.allAnswered(), qPrintable(prompts.texts().last()));
        QVERIFY2(prompts.texts().last().startsWith(QStringLiteral(
                     "更新データの登録に失敗しました。データベースは元のまま保存されます。\n")),
                 qPrintable(prompts.texts().last()));
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Error);
        QVERIFY(p.window.model().isOpen());
        QCOMPARE(p.window.listModel(PostMortem)->rowCount(), 2);
        p.window.model().close(false);
        QVERIFY(readBytes(p.path) == p.saved);
        QVERIFY(!std::filesystem::exists(p.dir.file("bck_Quendix.qdx")));
    }

    // A write-protected project opens for reading; the first change says why it cannot be
    // stored, instead of "該当データがありませんでした。" followed by "削除しました。".
    void aWriteProtectedProjectSaysSoAtTheFirstChange() {
        TempDir dir;
        const std::string path = dir.file("r.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}}, {});
        const std::string saved = readBytes(path);
        WriteProtection protection(path);
        if (!protection.active())
            QSKIP(protection.how().c_str());
        CCusporaDlg window;
        QVERIFY(window.startUp(qs(path)));
        ScriptedResponder prompts;
        prompts.answer(MessageAnswer::Yes);
        window.deleteRecord(PostMortem);
        QVERIFY2(prompts.texts().last().startsWith(kReadOnly), qPrintable(prompts.texts().last()));
        QCOMPARE(window.listModel(PostMortem)->rowCount(), 2);
        window.model().close(false);
        QVERIFY(readBytes(path) == saved);
    }

    // Saving into a removed file would write into nothing anyone can open again, and the
    // window used to say nothing; nor is an empty project made in its place.
    void aProjectRemovedWhileOpenIsNotSavedIntoNothing() {
        OpenProject p;
        QVERIFY(p.opened);
        ScriptedResponder prompts;
        p.deleteOne(prompts);
        std::filesystem::remove(p.path);
        p.window.action(CCusporaDlg::CmdSaveProject)->trigger();
        QVERIFY2(prompts.texts().last().startsWith(kFileGone), qPrintable(prompts.texts().last()));
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Error);
        QVERIFY(!p.window.model().isOpen());
        QVERIFY(!std::filesystem::exists(p.path));
        QCOMPARE(p.window.windowTitle(), QStringLiteral("Quendix Free"));
        QCOMPARE(p.window.listModel(PostMortem)->rowCount(), 0);
    }

    // A file put in the project's place (a copy brought back, another team's project) is left
    // as it is, and the window shows it.
    void aProjectReplacedWhileOpenIsLeftAsItIsAndShown() {
        OpenProject p;
        QVERIFY(p.opened);
        ScriptedResponder prompts;
        p.deleteOne(prompts);
        const std::string other = p.dir.file("other.qdx");
        writeEnteredProject(other, {{"C", "00001"}}, {});
        const std::string replacement = readBytes(other);
        std::filesystem::rename(other, p.path);
        p.window.action(CCusporaDlg::CmdSaveProject)->trigger();
        QVERIFY2(prompts.texts().last().startsWith(kFileGone), qPrintable(prompts.texts().last()));
        QVERIFY(p.window.model().isOpen());
        QCOMPARE(p.window.listModel(PostMortem)->rowCount(), 1);
        QCOMPARE(p.window.listModel(PostMortem)->idText(0), QStringLiteral("C-00001"));
        // Leaving with saving cannot reach the lost file either.
        p.window.model().close(false);
        QVERIFY(readBytes(p.path) == replacement);
    }

    // Exit with saving after the file was removed: told, and the program ends without making a
    // file.
    void exitWithSavingAfterTheFileWasRemovedIsTold() {
        OpenProject p;
        QVERIFY(p.opened);
        ScriptedResponder prompts;
        p.deleteOne(prompts);
        std::filesystem::remove(p.path);
        prompts.answer(MessageAnswer::Yes);
        p.window.confirmExit();
        QVERIFY2(prompts.texts().last().startsWith(kFileGone), qPrintable(prompts.texts().last()));
        QVERIFY(!std::filesystem::exists(p.path));
    }

    // A documents folder that is missing or write-protected cannot take "QuendixFree": the
    // user is told and the chooser still opens.
    void aDocumentsFolderThatCannotTakeTheProjectFolderIsTold() {
        TempDir dir;
        const QString missing = qs(dir.file("missing"));
        const QString guarded = qs(dir.file("guarded"));
        std::filesystem::create_directories(dir.file("guarded"));
        WriteProtection protection(dir.path() / "guarded");
        if (!protection.active())
            QSKIP(protection.how().c_str());
        for (const QString& documents : {missing, guarded}) {
            ScriptedResponder prompts;
            prompts.choose(QString());
            StartupOptions options;
            options.documentsFolder = documents;
            QCOMPARE(CCusporaApp().run(options), 0);
            QCOMPARE(prompts.texts().value(0),
                     QStringLiteral("プロジェクトフォルダを作成できませんでした。\n") + documents +
                         "/QuendixFree/");
            QCOMPARE(prompts.choices.size(), 1);
            QCOMPARE(prompts.choices.first().initialPath, documents);
        }
        QVERIFY(!std::filesystem::exists(dir.file("guarded/QuendixFree")));
    }
};

QTEST_MAIN(IoFaultWindowTest)
#include "IoFaultWindowTest.moc"
