// The change-history window, the check in the entry dialog and the examiner's question, driven
// offscreen on real project files.
#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/QdxRunner.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"
#include "ui/chart/ChartGeometry.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CTextInputDlg.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/ItemRoles.h"
#include "ui/entry/CCusporaEntryDlg.h"
#include "ui/log/CChangeLogDlg.h"
#include "ui/log/ChangeLogTableModel.h"
#include "ui/log/LogWindows.h"
#include "ui/main/CCusporaDlg.h"
#include "views/log/ChangeLogPrintLayout.h"
#include "views/log/ChartCheck.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace qdx;
using namespace qdx::test;

namespace {

// A project with PM T01-00001 and T01-00002 entered by 佐藤 and AM D1-00001 by 鈴木, open in
// the model (examiner 鈴木).
struct LoggedProject {
    LoggedProject() {
        writeEnteredProject(path, {}, {});
        openProjectFile(model, splitProjectPath(path));
        model.setPictureFolder(QDX_BINARY_DIR "/src/ui/");
        add("佐藤", PostMortem, "T01", "00001", 4);
        add("佐藤", PostMortem, "T01", "00002", 3);
        add("鈴木", AnteMortem, "D1", "00001", 2);
        model.setExaminer("鈴木");
    }
    ~LoggedProject() {
        if (model.isOpen())
            model.close(false);
    }
    void add(const std::string& examiner, int side, const std::string& upper,
             const std::string& lower, int firstClass) {
        model.setExaminer(examiner);
        model.clearEntry();
        model.entry().side = side;
        model.entry().upperIdPart = upper;
        model.entry().lowerIdPart = lower;
        model.entry().classes[0] = firstClass;
        model.storeEntry();
    }

    TempDir dir;
    std::string path = dir.file("logged.qdx");
    ProjectModel model;
};

QString cell(const ChangeLogTableModel& rows, int row, LogColumn column) {
    return rows.data(rows.index(row, static_cast<int>(column))).toString();
}

bool installLanguage(Language language) {
    return DisplayLanguage::install(language, QStringLiteral(QDX_PICTURE_FOLDER),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace

class ChangeLogWindowTest : public QObject {
    Q_OBJECT
private slots:
    void filtersSortAndSaveWhatTheToolWrites() {
        LoggedProject p;
        ScriptedResponder prompts;
        CChangeLogDlg window(p.model);
        QAbstractItemModelTester tester(window.tableModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(window.reload());
        ChangeLogTableModel& rows = *window.tableModel();
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(cell(rows, 0, LogColumn::Id), QStringLiteral("D1-00001"));
        QCOMPARE(child<QLabel>(window, "countLabel")->text(), QStringLiteral("3件"));

        auto* examiner = child<QComboBox>(window, "examinerCombo");
        examiner->setCurrentIndex(examiner->findText(QStringLiteral("佐藤")));
        QCOMPARE(rows.rowCount(), 2);
        examiner->setCurrentIndex(0);

        child<QComboBox>(window, "sideCombo")->setCurrentIndex(1);
        child<QLineEdit>(window, "idEdit")->setText(QStringLiteral("T01-00002"));
        QTest::mouseClick(child<CColorButton>(window, "showButton"), Qt::LeftButton);
        QCOMPARE(rows.rowCount(), 1);
        QCOMPARE(cell(rows, 0, LogColumn::Change),
                 QStringLiteral("右上 3 5 5 5 5 5 5 5 / 左上 5 5 5 5 5 5 5 5 / 左下 5 5 5 5 5 5 5 "
                                "5 / 右下 5 5 5 5 5 5 5 5"));
        QCOMPARE(cell(rows, 0, LogColumn::Check), QStringLiteral("未確認"));

        child<QLineEdit>(window, "idEdit")->setText(QStringLiteral("T09-00001"));
        QTest::mouseClick(child<CColorButton>(window, "showButton"), Qt::LeftButton);
        QCOMPARE(prompts.texts().last(), QStringLiteral("該当データがありませんでした。"));
        child<QLineEdit>(window, "idEdit")->clear();
        QTest::mouseClick(child<CColorButton>(window, "showButton"), Qt::LeftButton);
        QCOMPARE(rows.rowCount(), 3);

        // A click on the ID heading sorts by ID, ascending first.
        auto* table = child<QTableView>(window, "logTable");
        table->horizontalHeader()->setSortIndicator(static_cast<int>(LogColumn::Id),
                                                    Qt::AscendingOrder);
        QCOMPARE(cell(rows, 0, LogColumn::Id), QStringLiteral("D1-00001"));
        QCOMPARE(cell(rows, 2, LogColumn::Id), QStringLiteral("T01-00002"));

        child<QCheckBox>(window, "uncheckedBox")->setChecked(true);
        QCOMPARE(rows.rowCount(), 3);
        const QString saved = QString::fromStdString(p.dir.file("window.csv"));
        prompts.choose(saved);
        QTest::mouseClick(child<CColorButton>(window, "saveButton"), Qt::LeftButton);
        QVERIFY2(prompts.allAnswered(), qPrintable(prompts.texts().join(QLatin1Char('|'))));
        QVERIFY(prompts.choices.last().initialPath.endsWith(QStringLiteral("変更履歴.csv")));

        const QString pdf = QString::fromStdString(p.dir.file("log.pdf"));
        prompts.printTo(pdf);
        QTest::mouseClick(child<CColorButton>(window, "printButton"), Qt::LeftButton);
        QVERIFY(readBytes(pdf.toStdString()).rfind("%PDF", 0) == 0);

        // The tool writes the same file for the same list (its order: newest first).
        table->horizontalHeader()->setSortIndicator(static_cast<int>(LogColumn::Time),
                                                    Qt::DescendingOrder);
        prompts.choose(saved);
        QTest::mouseClick(child<CColorButton>(window, "saveButton"), Qt::LeftButton);
        p.model.close(true);
        const std::string tool = p.dir.file("tool.csv");
        const QdxResult r = runQdx({"log", p.path, "--unchecked", "--csv", tool});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(readBytes(tool), readBytes(saved.toStdString()));
        QVERIFY(readBytes(tool).find("\r\n") != std::string::npos);
    }

    void theEntryDialogChecksOnlyForAnotherExaminer() {
        LoggedProject p;
        ScriptedResponder prompts;
        p.model.setExaminer("佐藤");
        CCusporaEntryDlg dialog(p.model, PostMortem, CCusporaEntryDlg::Mode::Modify, 1);
        int logOpened = 0;
        std::string loggedId;
        dialog.setLogOpener([&](CCusporaEntryDlg&, int side, long long, const std::string& id) {
            logOpened += side == PostMortem ? 1 : 0;
            loggedId = id;
        });
        QVERIFY(dialog.load());
        auto* state = child<QLabel>(dialog, "checkStateLabel");
        QCOMPARE(state->text(), QStringLiteral("未確認"));
        QTest::mouseClick(child<CColorButton>(dialog, "checkButton"), Qt::LeftButton);
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral("最後に歯式を変更した担当者は確認できません。"
                                "別の担当者が確認してください。"));
        QCOMPARE(state->text(), QStringLiteral("未確認"));

        p.model.setExaminer("鈴木");
        // A chart changed on screen is not what would be checked.
        dialog.chartClicked(QPoint((chart::toothRects()[0].x1 + chart::toothRects()[0].x2) / 2,
                                   (chart::toothRects()[0].y1 + chart::toothRects()[0].y2) / 2));
        QTest::mouseClick(child<CColorButton>(dialog, "checkButton"), Qt::LeftButton);
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral("歯式が変更されています。保存してから確認してください。"));
        dialog.chartRightClicked(
            QPoint((chart::toothRects()[0].x1 + chart::toothRects()[0].x2) / 2,
                   (chart::toothRects()[0].y1 + chart::toothRects()[0].y2) / 2));
        QTest::mouseClick(child<CColorButton>(dialog, "checkButton"), Qt::LeftButton);
        QVERIFY2(state->text().startsWith(QStringLiteral("確認済み（鈴木 ")),
                 qPrintable(state->text()));
        QVERIFY(p.model.settingsOrMatchesChanged());
        QVERIFY(loadChartCheckState(p.model, PostMortem, 1).checked);

        QTest::mouseClick(child<CColorButton>(dialog, "changeLogButton"), Qt::LeftButton);
        QCOMPARE(logOpened, 1);
        QCOMPARE(loggedId, std::string("T01-00001"));

        CCusporaEntryDlg fresh(p.model, PostMortem, CCusporaEntryDlg::Mode::New, 0);
        QVERIFY(fresh.load());
        QVERIFY(!child<CColorButton>(fresh, "checkButton")->isEnabled());
        QVERIFY(!child<CColorButton>(fresh, "changeLogButton")->isEnabled());
    }

    void theMainWindowAsksForTheExaminerOncePerRun() {
        LoggedProject p;
        p.model.save();
        p.model.close(true);
        ScriptedResponder prompts;
        CCusporaDlg main;
        plugInLogWindow(main);
        QVERIFY(!main.action(CCusporaDlg::CmdChangeLog)->isEnabled());
        QVERIFY(main.startUp(QString::fromStdString(p.path)));
        QVERIFY(main.action(CCusporaDlg::CmdChangeLog)->isEnabled());
        QCOMPARE(main.action(CCusporaDlg::CmdExaminer)->text(), QStringLiteral("担当者..."));
        QCOMPARE(main.action(CCusporaDlg::CmdChangeLog)->text(), QStringLiteral("変更履歴..."));

        main.askExaminerOnce(); // not asking: nothing happens
        QCOMPARE(prompts.textQuestions.size(), 0);
        main.setAsksExaminer(true);
        prompts.enterText(QStringLiteral(" 田中 "));
        main.askExaminerOnce();
        main.askExaminerOnce();
        QCOMPARE(prompts.textQuestions.size(), 1);
        QCOMPARE(prompts.textQuestions[0].label, QStringLiteral("担当者名："));
        QCOMPARE(main.model().examiner(), std::string("田中"));

        // The menu asks again, showing the name; cancel keeps it.
        prompts.cancelText();
        main.action(CCusporaDlg::CmdExaminer)->trigger();
        QCOMPARE(prompts.textQuestions.size(), 2);
        QCOMPARE(prompts.textQuestions[1].text, QStringLiteral("田中"));
        QCOMPARE(main.model().examiner(), std::string("田中"));
        QVERIFY(prompts.allAnswered());

        // The data matching's row names the examiner.
        main.model().deletePostMortemRecordsSharedWithAnteMortem();
        QCOMPARE(main.model().loadJournal().back().EXAMINER, std::string("田中"));
    }

    // In English the window words its labels, kinds, sides and check states (and sorts by what
    // it shows), the change stays as the project stores it, and the file stays the tool's.
    void theHistoryReadsInEnglishWhileItsFileStaysJapanese() {
        QVERIFY(installLanguage(Language::English));
        LoggedProject p;
        ScriptedResponder prompts;
        CChangeLogDlg window(p.model);
        QVERIFY(window.reload());
        ChangeLogTableModel& rows = *window.tableModel();
        QCOMPARE(window.windowTitle(), QStringLiteral("Change history"));
        QCOMPARE(child<QLabel>(window, "countLabel")->text(), QStringLiteral("3 rows"));
        QCOMPARE(rows.headerData(static_cast<int>(LogColumn::Kind), Qt::Horizontal).toString(),
                 QStringLiteral("Kind"));
        QCOMPARE(cell(rows, 0, LogColumn::Kind), QStringLiteral("Add"));
        QCOMPARE(cell(rows, 0, LogColumn::Side), QStringLiteral("Ante-mortem"));
        QCOMPARE(cell(rows, 0, LogColumn::Check), QStringLiteral("Unchecked"));
        QVERIFY(cell(rows, 0, LogColumn::Change).startsWith(QStringLiteral("右上 2 5")));
        const auto stored = [&rows](LogColumn column) {
            return rows.data(rows.index(0, static_cast<int>(column)), StoredTextRole).toBool();
        };
        QVERIFY(stored(LogColumn::Change));
        QVERIFY(!stored(LogColumn::Kind));

        auto* kinds = child<QComboBox>(window, "kindCombo");
        QCOMPARE(kinds->itemText(0), QStringLiteral("All"));
        kinds->setCurrentIndex(kinds->findText(QStringLiteral("Add")));
        QCOMPARE(window.filter().kind, std::string("ADD"));
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(child<QComboBox>(window, "sideCombo")->itemText(2), QStringLiteral("Ante-mortem"));

        // "Ante-mortem" comes before "Post-mortem", though "生前" follows "死後".
        auto* table = child<QTableView>(window, "logTable");
        table->horizontalHeader()->setSortIndicator(static_cast<int>(LogColumn::Side),
                                                    Qt::AscendingOrder);
        QCOMPARE(cell(rows, 0, LogColumn::Id), QStringLiteral("D1-00001"));

        child<QComboBox>(window, "sideCombo")->setCurrentIndex(1);
        child<QLineEdit>(window, "idEdit")->setText(QStringLiteral("T09-00001"));
        QTest::mouseClick(child<CColorButton>(window, "showButton"), Qt::LeftButton);
        QCOMPARE(prompts.texts().last(), QStringLiteral("Nothing was found."));
        child<QLineEdit>(window, "idEdit")->clear();
        table->horizontalHeader()->setSortIndicator(static_cast<int>(LogColumn::Time),
                                                    Qt::DescendingOrder);
        const QString saved = QString::fromStdString(p.dir.file("english.csv"));
        prompts.choose(saved);
        QTest::mouseClick(child<CColorButton>(window, "saveButton"), Qt::LeftButton);
        QVERIFY2(prompts.allAnswered(), qPrintable(prompts.texts().join(QLatin1Char('|'))));
        p.model.close(true);
        const std::string tool = p.dir.file("tool.csv");
        QCOMPARE(runQdx({"log", p.path, "--csv", tool}).exitCode, 0);
        QCOMPARE(readBytes(saved.toStdString()), readBytes(tool));
        QVERIFY(installLanguage(Language::Japanese));
    }

    // The printout in English: its title, headings, filter, created line and labels in the
    // display language, the stored texts as written; in Japanese it prints the program's texts.
    void theHistoryPrintoutReadsInEnglish() {
        QVERIFY(installLanguage(Language::English));
        LoggedProject p;
        ScriptedResponder prompts;
        CChangeLogDlg window(p.model);
        QVERIFY(window.reload());
        ChangeLogPrintJob job = window.printJob();
        QVERIFY(job.english);
        QCOMPARE(job.filterText, std::string("All"));
        QVERIFY2(job.createdText.rfind("Created: ", 0) == 0, job.createdText.c_str());
        QStringList texts;
        for (const PrintPage& page : layoutChangeLogPrint(job, PrintMetrics{})) {
            for (const PrintItem& item : page)
                texts << QString::fromStdString(item.text);
        }
        for (const char* english :
             {"Change history", "Time", "Examiner", "Kind", "Side", "ID", "Check", "Change", "Add",
              "Ante-mortem", "Post-mortem", "Unchecked", "D1-00001", "佐藤"})
            QVERIFY2(texts.contains(QString::fromUtf8(english)), english);
        for (const char* japanese : {"変更履歴", "日時", "種類", "登録", "生前", "死後", "未確認"})
            QVERIFY2(!texts.contains(QString::fromUtf8(japanese)), japanese);

        auto* kinds = child<QComboBox>(window, "kindCombo");
        kinds->setCurrentIndex(kinds->findText(QStringLiteral("Add")));
        child<QCheckBox>(window, "uncheckedBox")->setChecked(true);
        QVERIFY(window.reload());
        QCOMPARE(window.printJob().filterText, std::string("Add / Unchecked only"));
        // Two messages a broken entry of the translation file had left in Japanese.
        QCOMPARE(coreTr("歯式が変更されています。保存してから確認してください。"),
                 QStringLiteral("The chart has been changed. Save it before checking it."));
        QCOMPARE(coreTr("身元確認（確定）"), QStringLiteral("Identification established"));

        QVERIFY(installLanguage(Language::Japanese));
        CChangeLogDlg japanese(p.model);
        QVERIFY(japanese.reload());
        job = japanese.printJob();
        QVERIFY(!job.english);
        QVERIFY(!job.wording);
        QCOMPARE(job.filterText, std::string("すべて"));
        QVERIFY(job.createdText.rfind("作成日：", 0) == 0);
    }

    // The check row, its refusals and the examiner's question in English.
    void theCheckAndTheExaminerQuestionReadInEnglish() {
        QVERIFY(installLanguage(Language::English));
        LoggedProject p;
        ScriptedResponder prompts;
        p.model.setExaminer("佐藤");
        CCusporaEntryDlg dialog(p.model, PostMortem, CCusporaEntryDlg::Mode::Modify, 1);
        QVERIFY(dialog.load());
        auto* state = child<QLabel>(dialog, "checkStateLabel");
        QCOMPARE(state->text(), QStringLiteral("Unchecked"));
        QCOMPARE(child<CColorButton>(dialog, "changeLogButton")->text(),
                 QStringLiteral("Change history"));
        QTest::mouseClick(child<CColorButton>(dialog, "checkButton"), Qt::LeftButton);
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral("The examiner who last changed the chart cannot check it. "
                                "Another examiner must check it."));
        p.model.setExaminer("Tanaka");
        QTest::mouseClick(child<CColorButton>(dialog, "checkButton"), Qt::LeftButton);
        QVERIFY2(state->text().startsWith(QStringLiteral("Checked (Tanaka ")),
                 qPrintable(state->text()));
        QVERIFY(state->text().endsWith(QLatin1Char(')')));
        // The history keeps the kind as stored.
        QCOMPARE(p.model.loadJournal().back().KIND, std::string("CHECK"));

        p.model.save();
        p.model.close(true);
        CCusporaDlg main;
        plugInLogWindow(main);
        QVERIFY(main.startUp(QString::fromStdString(p.path)));
        QCOMPARE(main.action(CCusporaDlg::CmdExaminer)->text(), QStringLiteral("Examiner..."));
        QCOMPARE(main.action(CCusporaDlg::CmdChangeLog)->text(),
                 QStringLiteral("Change history..."));
        prompts.cancelText();
        main.action(CCusporaDlg::CmdExaminer)->trigger();
        QCOMPARE(prompts.textQuestions.last().title, QStringLiteral("Examiner"));
        QCOMPARE(prompts.textQuestions.last().label, QStringLiteral("Examiner's name:"));
        CTextInputDlg question(QStringLiteral("Examiner"), QStringLiteral("Name:"), {});
        QCOMPARE(child<CColorButton>(question, "cancelButton")->text(), QStringLiteral("Cancel"));
        QVERIFY(installLanguage(Language::Japanese));
    }

    void theTextQuestionReturnsWhatWasTyped() {
        CTextInputDlg dialog(QStringLiteral("担当者"), QStringLiteral("担当者名："),
                             QStringLiteral("佐藤"));
        auto* edit = child<QLineEdit>(dialog, "textEdit");
        QCOMPARE(edit->text(), QStringLiteral("佐藤"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("suzuki"));
        QTest::mouseClick(child<CColorButton>(dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.text(), QStringLiteral("suzuki"));
        CTextInputDlg cancelled(QStringLiteral("担当者"), QStringLiteral("担当者名："), {});
        QTest::mouseClick(child<CColorButton>(cancelled, "cancelButton"), Qt::LeftButton);
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(ChangeLogWindowTest)
#include "ChangeLogWindowTest.moc"
