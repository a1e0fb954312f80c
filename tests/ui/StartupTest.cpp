#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "app/CCusporaApp.h"
#include "app/ProjectShell.h"
#include "app/StartupOptions.h"
#include "store/StoreError.h"
#include "ui/common/LongTask.h"
#include "ui/main/CCusporaDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace qdx;
using namespace qdx::test;

namespace {

const QString kSaveQuestion = QStringLiteral(
    "変更を保存しますか？\n保存する場合は「はい」、破棄する場合は「いいえ」を選択してください。");

CCusporaDlg* mainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<CCusporaDlg*>(widget); window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// Runs the program as main() does; `whileRunning` sees the shown main window, then the window
// is asked to exit (the scripted answers decide what happens).
int runProgram(const StartupOptions& options,
               const std::function<void(CCusporaDlg&)>& whileRunning) {
    // Owned here, so a run that ends before the window shows leaves nothing pending.
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&timer, whileRunning] {
        CCusporaDlg* window = mainWindow();
        if (window == nullptr || LongTask::isRunning()) {
            return;
        }
        timer.stop();
        whileRunning(*window);
        window->confirmExit();
    });
    timer.start(200);
    return CCusporaApp().run(options);
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void commandLineLosesItsQuotes() {
        StartupOptions o =
            StartupOptions::parse({QStringLiteral("\"/tmp/my"), QStringLiteral("case.qdx\"")});
        QCOMPARE(o.projectPath, QStringLiteral("/tmp/my case.qdx"));
        QVERIFY(!o.showHiddenCommands);
        o = StartupOptions::parse({QStringLiteral("--show-hidden-commands"),
                                   QStringLiteral("'a.qdx'"), QStringLiteral("--documents=/d")});
        QCOMPARE(o.projectPath, QStringLiteral("a.qdx"));
        QVERIFY(o.showHiddenCommands);
        QCOMPARE(o.documentsFolder, QStringLiteral("/d"));
        QVERIFY(StartupOptions::parse({}).projectPath.isEmpty());
    }

    void versionAndHelpAreAnsweredBeforeAnyWindow() {
        QCOMPARE(
            StartupOptions::informationText({QStringLiteral("a.qdx"), QStringLiteral("--version")}),
            QStringLiteral("quendix (Quendix Free) " QDX_PRODUCT_VERSION "\n"));
        const QString help = StartupOptions::informationText({QStringLiteral("--help")});
        QVERIFY(help.startsWith(QStringLiteral("Usage: quendix ")));
        for (const char* option : {"--show-hidden-commands", "--documents=", "--screenshot=",
                                   "--screenshot-window=", "--version"}) {
            QVERIFY2(help.contains(QLatin1String(option)), option);
        }
        QVERIFY(StartupOptions::informationText({QStringLiteral("a.qdx")}).isEmpty());
        QVERIFY(StartupOptions::informationText({}).isEmpty());
    }

    void startsWithTheCommandLineProject() {
        TempDir dir;
        const std::string path = dir.file("cmd.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {{"B", "00001"}});
        ScriptedResponder prompts;
        prompts.answer(MessageAnswer::Yes);
        QString title;
        int rows = 0;
        StartupOptions options;
        options.projectPath = "\"" + qs(path) + "\"";
        options.projectPath.remove(QLatin1Char('"'));
        options.documentsFolder = qs(dir.path().string());
        const int code = runProgram(options, [&](CCusporaDlg& window) {
            title = window.windowTitle();
            rows = window.listModel(1)->rowCount();
        });
        QCOMPARE(code, 0);
        QCOMPARE(title, QStringLiteral("cmd - Quendix Free (cmd.qdx)"));
        QCOMPARE(rows, 1);
        QVERIFY(prompts.choices.isEmpty());
        QCOMPARE(prompts.texts(), QStringList{QStringLiteral("プログラムを終了しますか？")});
    }

    // Qt's own dialogs read in Japanese like the rest of the program once it has started: the
    // standard buttons, the file chooser and the print dialog. Translation files that are not
    // there are refused without harm.
    void standardDialogsReadJapanese() {
        TempDir dir;
        QVERIFY(!CCusporaApp::installQtTranslations(qs(dir.file("no-translations"))));
        const std::string path = dir.file("ja.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {});
        ScriptedResponder prompts;
        prompts.answer(MessageAnswer::Yes);
        QStringList texts;
        StartupOptions options;
        options.projectPath = qs(path);
        options.documentsFolder = qs(dir.path().string());
        const int code = runProgram(options, [&texts](CCusporaDlg& window) {
            texts << QCoreApplication::translate("QPlatformTheme", "Cancel");
            QDialogButtonBox box(QDialogButtonBox::Cancel);
            texts << box.button(QDialogButtonBox::Cancel)->text();
            QFileDialog chooser(&window);
            chooser.setOption(QFileDialog::DontUseNativeDialog);
            chooser.setAcceptMode(QFileDialog::AcceptSave);
            texts << chooser.windowTitle();
            texts << chooser.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
            QPrinter printer;
            QPrintDialog print(&printer, &window);
            texts << print.windowTitle();
        });
        QCOMPARE(code, 0);
        // Qt's English: "Cancel", "Cancel", "Save As", "Look in:", "Print".
        QCOMPARE(texts, (QStringList{QStringLiteral("キャンセル"), QStringLiteral("キャンセル"),
                                     QStringLiteral("名前を付けて保存"),
                                     QStringLiteral("アドレス:"), QStringLiteral("印刷")}));
    }

    // A window of the screenshot table is built on the open project, shown, saved and the
    // program ends by itself; an unknown name is refused before anything opens.
    void screenshotsPictureTheNamedWindow() {
        TempDir dir;
        const std::string path = dir.file("shot.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {{"B", "00001"}});
        const QStringList options = {qs(path), "--documents=" + qs(dir.path().string()),
                                     "--screenshot=" + qs(dir.file("label.png")),
                                     QStringLiteral("--screenshot-window=label")};
        QCOMPARE(StartupOptions::parse(options).screenshotWindow, QStringLiteral("label"));
        QCOMPARE(StartupOptions::parse({}).screenshotWindow, QStringLiteral("main"));
        QString seenTitle;
        ScreenshotWindows table{{QStringLiteral("label"), [&](CCusporaDlg& main) -> QWidget* {
                                     seenTitle = main.windowTitle();
                                     auto* label = new QLabel(QStringLiteral("chart"), &main);
                                     label->setWindowFlags(Qt::Window);
                                     label->setFixedSize(120, 80);
                                     return label;
                                 }}};
        QCOMPARE(CCusporaApp({}, table).run(StartupOptions::parse(options)), 0);
        QCOMPARE(seenTitle, QStringLiteral("shot - Quendix Free (shot.qdx)"));
        QCOMPARE(QImage(qs(dir.file("label.png"))).size(), QSize(120, 80));

        StartupOptions unknown = StartupOptions::parse(options);
        unknown.screenshotWindow = QStringLiteral("nothing");
        unknown.screenshotPath = qs(dir.file("none.png"));
        QCOMPARE(CCusporaApp({}, table).run(unknown), 2);
        QVERIFY(!QFileInfo::exists(unknown.screenshotPath));
    }

    void aCommandLinePathThatCannotOpenEndsTheProgram() {
        TempDir dir;
        const std::string path = dir.file("notes.qdx");
        writeBytes(path, "these are not the tables you are looking for\n");
        ScriptedResponder prompts;
        StartupOptions options;
        options.projectPath = qs(path);
        options.documentsFolder = qs(dir.path().string());
        bool ran = false;
        QCOMPARE(runProgram(options, [&](CCusporaDlg&) { ran = true; }), 0);
        QVERIFY(!ran);
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.texts().first().startsWith(
            QStringLiteral("データベースが作成できませんでした。 \n")));
        QCOMPARE(prompts.messages.first().icon, MessageIcon::Error);
        QVERIFY(prompts.choices.isEmpty());
        QCOMPARE(readBytes(path), std::string("these are not the tables you are looking for\n"));
    }

    void theChooserCreatesANewProject() {
        TempDir dir;
        const QString documents = qs(dir.path().string());
        ScriptedResponder prompts;
        prompts.choose(documents + "/QuendixFree/new");
        prompts.answer(MessageAnswer::Yes);
        QString title;
        StartupOptions options;
        options.documentsFolder = documents;
        QCOMPARE(runProgram(options, [&](CCusporaDlg& window) { title = window.windowTitle(); }),
                 0);
        QCOMPARE(title, QStringLiteral("new - Quendix Free (new.qdx)"));
        QCOMPARE(prompts.choices.size(), 1);
        QCOMPARE(prompts.choices.first().title, QStringLiteral("プロジェクトファイルを指定"));
        QCOMPARE(prompts.choices.first().initialPath, documents + "/QuendixFree/");
        // Nothing was changed, so leaving asked only whether to end.
        QCOMPARE(prompts.texts(), QStringList{QStringLiteral("プログラムを終了しますか？")});
        const std::string created = dir.file("QuendixFree/new.qdx");
        QCOMPARE(countOnDisk(created, "SELECT COUNT(*) FROM TB_SETUP"), 2);
        QCOMPARE(countOnDisk(created, "SELECT COUNT(*) FROM TB_SETUP_PRO"), 2);
    }

    void cancellingTheChooserEndsWithoutWriting() {
        TempDir dir;
        ScriptedResponder prompts;
        prompts.choose(QString());
        StartupOptions options;
        options.documentsFolder = qs(dir.path().string());
        bool ran = false;
        QCOMPARE(CCusporaApp().run(options), 0);
        QVERIFY(!ran);
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(QFileInfo(qs(dir.file("QuendixFree"))).isDir());
    }

    void aFailedChoiceBringsTheChooserBack() {
        TempDir dir;
        const QString documents = qs(dir.path().string());
        writeBytes(dir.file("text.qdx"), "plain text");
        ScriptedResponder prompts;
        prompts.choose(documents + "/text.qdx");
        prompts.choose(documents + "/.qdx");
        prompts.choose(documents + "/QuendixFree/abc");
        prompts.answer(MessageAnswer::Yes);
        QString title;
        StartupOptions options;
        options.documentsFolder = documents;
        runProgram(options, [&](CCusporaDlg& window) { title = window.windowTitle(); });
        QCOMPARE(prompts.choices.size(), 3);
        QVERIFY(prompts.texts().at(0).startsWith(
            QStringLiteral("データベースが作成できませんでした。 ")));
        QCOMPARE(prompts.texts().at(1), QStringLiteral("プロジェクト名は省略できません。"));
        QCOMPARE(prompts.messages.at(1).icon, MessageIcon::Exclamation);
        // After the first choice the chooser opens where it was last used.
        QVERIFY(prompts.choices.at(1).initialPath.isEmpty());
        QCOMPARE(title, QStringLiteral("abc - Quendix Free (abc.qdx)"));
    }

    void aMissingProjectFolderStillOffersTheChooser() {
        TempDir dir;
        const QString documents = qs(dir.file("not-a-folder"));
        writeBytes(dir.file("not-a-folder"), "x");
        ScriptedResponder prompts;
        prompts.choose(QString());
        StartupOptions options;
        options.documentsFolder = documents;
        QCOMPARE(CCusporaApp().run(options), 0);
        QCOMPARE(prompts.texts().first(),
                 QStringLiteral("プロジェクトフォルダを作成できませんでした。\n") + documents +
                     "/QuendixFree/");
        QCOMPARE(prompts.choices.size(), 1);
    }

    void aSecondInstanceFindsTheProjectInUse() {
        TempDir dir;
        const std::string path = dir.file("busy.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {});
        ProjectModel first;
        openProjectFile(first, splitProjectPath(path));
        ScriptedResponder prompts;
        CCusporaDlg second;
        QVERIFY(!second.startUp(qs(path)));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.texts().first().startsWith(QStringLiteral("データベースは使用中です。\n")));
        QVERIFY(!second.model().isOpen());
        // The first instance goes on undisturbed.
        QCOMPARE(first.loadRecordList(0).size(), std::size_t(1));
        first.close(false);
    }

    void switchingProjects() {
        TempDir dir;
        const std::string one = dir.file("one.qdx");
        const std::string two = dir.file("two.qdx");
        writeEnteredProject(one, {{"A", "00001"}, {"B", "00002"}}, {});
        writeEnteredProject(two, {{"C", "00001"}}, {{"D", "00001"}});
        ScriptedResponder prompts;
        CCusporaDlg window;
        window.shell().setDocumentsFolder(qs(dir.path().string()));
        QVERIFY(window.startUp(qs(one)));

        // The project already open: nothing is asked, nothing reopened.
        prompts.choose(qs(one));
        window.switchProject();
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(window.windowTitle(), QStringLiteral("one - Quendix Free (one.qdx)"));
        // The chooser starts where the command-line project lies.
        QCOMPARE(prompts.choices.first().initialPath, qs(one));

        // A changed project asks first; cancel goes back to the chooser, and cancelling that
        // keeps everything as it was.
        prompts.answer(MessageAnswer::Yes);
        window.selectRow(0, 0);
        window.deleteRecord(0);
        prompts.choose(qs(two));
        prompts.answer(MessageAnswer::Cancel);
        prompts.choose(QString());
        window.switchProject();
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral("データが変更されています。") + kSaveQuestion);
        QCOMPARE(window.windowTitle(), QStringLiteral("one - Quendix Free (one.qdx)"));
        QVERIFY(window.model().recordsChangedPM());

        // No: the change is dropped and the other project shows.
        window.rowClicked(0);
        QVERIFY(!window.currentId().isEmpty());
        prompts.choose(qs(two));
        prompts.answer(MessageAnswer::No);
        window.switchProject();
        QVERIFY(prompts.allAnswered());
        QCOMPARE(window.windowTitle(), QStringLiteral("two - Quendix Free (two.qdx)"));
        QCOMPARE(window.listModel(1)->rowCount(), 1);
        // The other project's highlighted row of its stored direction is the record searched.
        QCOMPARE(window.currentId(), QStringLiteral("D-00001"));
        QCOMPARE(countOnDisk(one, "SELECT COUNT(*) FROM TB_AFTER"), 2);
    }

    void aFailedSwitchLeavesNothingShown() {
        TempDir dir;
        const std::string one = dir.file("one.qdx");
        writeEnteredProject(one, {{"A", "00001"}}, {});
        writeBytes(dir.file("bad.qdx"), "not a database");
        ScriptedResponder prompts;
        CCusporaDlg window;
        window.shell().setDocumentsFolder(qs(dir.path().string()));
        QVERIFY(window.startUp(qs(one)));
        prompts.choose(qs(dir.file("bad.qdx")));
        prompts.choose(QString());
        window.switchProject();
        QVERIFY(!window.model().isOpen());
        QCOMPARE(window.windowTitle(), QStringLiteral("Quendix Free"));
        QCOMPARE(window.listModel(0)->rowCount(), 0);
        QVERIFY(!child(window, "postMortemNewButton")->isEnabled());
        QVERIFY(!window.action(CCusporaDlg::CmdSaveProject)->isEnabled());
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
