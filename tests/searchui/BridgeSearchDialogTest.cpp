#include "store/ProjectModel.h"
#include "ui/chart/ChartGeometry.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/Prompts.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/search/BridgeSearchTableModel.h"
#include "ui/search/CBridgeSearchDlg.h"
#include "ui/search/SearchTask.h"
#include "ui/search/SearchWindowOpeners.h"
#include "views/bridge/BridgeSearchView.h"

#include "SearchWindowTesting.h"
#include "support/Printouts.h"
#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/QdxRunner.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <functional>

namespace qdx {
namespace {

DentalRecord bridged(const std::string& id, const std::string& classes,
                     const std::vector<int>& bridges, const std::string& sex = "0") {
    DentalRecord record = test::chartRecord(id, classes, sex);
    for (int p : bridges)
        record.bridgeChart[static_cast<std::size_t>(p)] = '1';
    return record;
}

// Post-mortem P-1 bridges 3, 4, 5 (male), P-2 bridges 3, P-3 none, P-4 bridges 3, 4, 5
// (female); ante-mortem A-1 bridges 3, 4 (male), A-2 nothing known.
void makeProject(const std::string& path) {
    const std::string teeth = "3334" + std::string(28, '5');
    test::writeProject(
        path,
        {bridged("P-00001", teeth, {3, 4, 5}, "1"), bridged("P-00002", teeth, {3}),
         bridged("P-00003", teeth, {}), bridged("P-00004", teeth, {3, 4, 5}, "2")},
        {bridged("A-00001", teeth, {3, 4}, "1"), bridged("A-00002", std::string(32, '5'), {})});
}

// Every tooth no information, bridges at 3, 4 and 5, as `qdx bridge --pattern` takes it.
std::string threeBridgeCells() {
    std::string cells;
    for (int p = 0; p < 32; ++p)
        cells += (p >= 3 && p <= 5) ? "5b " : "5 ";
    return cells;
}

using test::child;

// The project of makeProject, open with both lists and the chart pictures.
void openProject(const test::TempDir& dir, ProjectModel& model) {
    const std::string project = dir.file("p.qdx");
    makeProject(project);
    test::openWithLists(model, project);
    model.setPictureFolder(QDX_PICTURE_FOLDER);
}

QPoint toothCentre(int position) {
    const chart::ToothRect& r = chart::toothRects()[static_cast<std::size_t>(position)];
    return {(r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2};
}

QPoint markCentre(int position) {
    const chart::Point& c = chart::bridgeMarkCentres()[static_cast<std::size_t>(position)];
    return {c.x, c.y};
}

} // namespace

class BridgeSearchDialogTest : public QObject {
    Q_OBJECT

private slots:
    void theMainWindowsButtonOpensItAndTakesTheSideBack() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        // The command reads the project before the window holds it.
        const std::string expected =
            test::qdxCsv({"bridge", project, "--side", "2", "--target", "A-00001", "--rank", "1"},
                         dir.file("cli.csv"));
        QVERIFY(!expected.empty());
        test::ScriptedResponder answers;
        CCusporaDlg main(true);
        main.model().setPictureFolder(QDX_PICTURE_FOLDER);
        QVERIFY(main.startUp(QString::fromStdString(project)));
        plugInSearchWindows(main);
        main.selectRow(AnteMortem, 0);
        main.rowClicked(AnteMortem);
        QCOMPARE(main.currentId(), QStringLiteral("A-00001"));
        auto* button = main.findChild<QPushButton*>(QStringLiteral("bridgeSearchButton"));
        QVERIFY(button && button->isVisibleTo(&main) && button->isEnabled());

        std::string saved;
        QStringList bothSides;
        SearchConditions chosen;
        test::whenReady<CBridgeSearchDlg>([&](CBridgeSearchDlg& dialog) {
            QAbstractItemModelTester tester(dialog.tableModel(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
            QCOMPARE(dialog.target(), QStringLiteral("A-00001"));
            QCOMPARE(dialog.side(), 0);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("ブリッジ指定検索 - Quendix Free"));
            // The pattern of the target: missing where its class is 4, its bridges.
            QCOMPARE(dialog.pattern().state[3], BridgePattern::kMissing);
            QCOMPARE(dialog.pattern().bridge[4], 1);
            QCOMPARE(dialog.tableModel()->rowCount(), 5);
            QCOMPARE(dialog.caption(), QStringLiteral("A-00001 : A-00001"));

            child<QComboBox>(dialog, "sideCombo")->setCurrentIndex(2);
            auto* targets = child<QComboBox>(dialog, "targetCombo");
            for (int i = 0; i < targets->count(); ++i)
                bothSides << targets->itemText(i);
            QCOMPARE(dialog.target(), QStringLiteral("A-00001"));
            // Both sides' charts are candidates, the chart itself among them.
            QCOMPARE(dialog.tableModel()->rowCount(), 7);
            QCOMPARE(main.currentConditions().searchDirection, 1);
            child<QComboBox>(dialog, "rankCombo")->setCurrentIndex(1);
            chosen = dialog.conditions();
            // A candidate's cell with both charts bridged is drawn highlighted.
            const QModelIndex both = dialog.tableModel()->index(1, kBridgeFixedColumns + 3);
            if (both.data().toString().startsWith('*'))
                QCOMPARE(both.data(Qt::BackgroundRole).value<QColor>(),
                         BridgeSearchTableModel::bothBridgedColor());
            answers.choose(QString::fromStdString(dir.file("gui.csv")));
            dialog.saveToFile();
            saved = test::readBytes(dir.file("gui.csv"));
        });
        button->click();
        QCOMPARE(bothSides,
                 QStringList({"A-00001", "A-00002", "P-00001", "P-00002", "P-00003", "P-00004"}));
        QCOMPARE(chosen, (SearchConditions{1, 5, 1, 0}));
        // The main window keeps the side as its direction and the ranking as its rank key (its
        // display count follows its own candidates).
        QCOMPARE(main.currentConditions().searchDirection, chosen.searchDirection);
        QCOMPARE(main.currentConditions().rankKey, 1);
        QCOMPARE(answers.choices.at(0).initialPath,
                 QString::fromStdString(dir.file("個別検索結果_A-00001.csv")));
        QVERIFY(answers.messages.empty());
        QCOMPARE(saved, expected);
    }

    void clicksTogglePatternAndACandidateRowBecomesIt() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        const std::string expected =
            test::qdxCsv({"bridge", project, "--pattern", threeBridgeCells()}, dir.file("cli.csv"));
        QVERIFY(!expected.empty());
        ProjectModel model;
        test::openWithLists(model, project);
        model.setPictureFolder(QDX_PICTURE_FOLDER);
        test::ScriptedResponder answers;
        CBridgeSearchDlg dialog(model, {0, 0, 3, 0}, QStringLiteral("A-00002"));
        dialog.show();
        QVERIFY(dialog.isReady());
        ChartWidget* chart = dialog.chartView();
        const BridgePattern start = dialog.pattern();
        QCOMPARE(start, BridgePattern());
        const QImage before = chart->chart();

        // A tooth toggles between missing and no information; twice restores it.
        QTest::mouseClick(chart, Qt::LeftButton, {}, toothCentre(0));
        QCOMPARE(dialog.pattern().state[0], BridgePattern::kMissing);
        QVERIFY(chart->chart() != before);
        QTest::mouseClick(chart, Qt::LeftButton, {}, toothCentre(0));
        QCOMPARE(dialog.pattern(), start);
        QCOMPARE(chart->chart(), before);
        // A bridge point toggles its flag, also through the point moved towards the centre.
        QTest::mouseClick(chart, Qt::LeftButton, {}, markCentre(10));
        QCOMPARE(dialog.pattern().bridge[10], 1);
        const QPoint inner((19 * 316 + 240) / 20, (19 * 82 + 279) / 20 + 4);
        QTest::mouseClick(chart, Qt::LeftButton, {}, inner);
        QCOMPARE(dialog.pattern(), start);
        for (int p : {3, 4, 5})
            QTest::mouseClick(chart, Qt::LeftButton, {}, markCentre(p));

        child<QPushButton>(dialog, "searchButton")->click();
        QVERIFY(dialog.listsPattern());
        QVERIFY(answers.messages.empty());
        const auto& rows = dialog.tableModel()->rows();
        QCOMPARE(rows.size(), std::size_t(5));
        QCOMPARE(rows[1].displayId, std::string("P-00001"));
        QCOMPARE(rows[1].counts[1], std::string("3"));
        QCOMPARE(dialog.target(), QString());
        // The chart it came from stays selected, so the result can be saved under its name.
        QVERIFY(child<QPushButton>(dialog, "saveButton")->isEnabled());
        answers.choose(QString::fromStdString(dir.file("gui.csv")));
        dialog.saveToFile();
        QCOMPARE(answers.choices.at(0).initialPath,
                 QString::fromStdString(dir.file("個別検索結果_A-00002.csv")));
        QCOMPARE(test::readBytes(dir.file("gui.csv")), expected);

        // A candidate row becomes the pattern; the first row changes nothing.
        const int p2 = dialog.tableModel()->findRow("P-00002");
        QVERIFY(p2 > 0);
        dialog.selectRow(p2);
        dialog.clickRow(p2);
        QCOMPARE(dialog.pattern(), patternFromChart(*rows[static_cast<std::size_t>(p2)].record));
        QCOMPARE(dialog.pattern().state[3], BridgePattern::kMissing);
        QVERIFY(dialog.caption().endsWith(QStringLiteral(" : P-00002")));
        const BridgePattern copied = dialog.pattern();
        dialog.clickRow(0);
        QCOMPARE(dialog.pattern(), copied);

        // Choosing a target lists that chart again.
        child<QComboBox>(dialog, "targetCombo")->setCurrentIndex(0);
        QVERIFY(!dialog.listsPattern());
        QCOMPARE(dialog.target(), QStringLiteral("A-00001"));
        QCOMPARE(dialog.tableModel()->rows().front().displayId, std::string("A-00001"));
        QCOMPARE(dialog.pattern().bridge[3], 1);
    }

    void aPatternWithoutCandidatesSaysSo() {
        test::TempDir dir;
        const std::string project = dir.file("i.qdx");
        test::writeProject(project, {bridged("P-00001", std::string(32, '5'), {1})},
                           {bridged("A-00001", std::string(32, '5'), {})},
                           {test::matchRow(1, 1, "1")});
        ProjectModel model;
        test::openWithLists(model, project);
        model.setPictureFolder(QDX_PICTURE_FOLDER);
        test::ScriptedResponder answers;
        CBridgeSearchDlg dialog(model, {0, 0, 0, 1}, QStringLiteral("A-00001"));
        dialog.show();
        // The identified target is hidden: nothing selected, nothing listed.
        QCOMPARE(child<QComboBox>(dialog, "targetCombo")->count(), 0);
        QCOMPARE(dialog.tableModel()->rowCount(), 0);
        child<QPushButton>(dialog, "searchButton")->click();
        QCOMPARE(answers.messages.size(), 1);
        QCOMPARE(answers.messages[0].text, QStringLiteral("該当データがありませんでした。"));
        QCOMPARE(answers.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(dialog.tableModel()->rowCount(), 1);
        QVERIFY(!child<QPushButton>(dialog, "saveButton")->isEnabled());
        QVERIFY(!child<QPushButton>(dialog, "printButton")->isEnabled());

        // Esc does nothing; Enter runs the focused button.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        child<QPushButton>(dialog, "searchButton")->setFocus();
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(answers.messages.size(), 2);
        child<QPushButton>(dialog, "closeButton")->setFocus();
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    }

    // Another target and the hiding box keep the display count where the new list has it, and
    // every change reaches the main window.
    void anotherTargetOrHidingKeepsTheCountAndHandsItOn() {
        test::TempDir dir;
        ProjectModel model;
        openProject(dir, model);
        CBridgeSearchDlg dialog(model, {0, 0, 0, 0}, QStringLiteral("A-00001"));
        std::vector<SearchConditions> passed;
        dialog.onConditionsChanged = [&](const SearchConditions& c) { passed.push_back(c); };
        dialog.show();
        auto* count = child<QComboBox>(dialog, "displayCountCombo");
        QCOMPARE(count->count(), 4);
        QCOMPARE(count->currentIndex(), 3);
        count->setCurrentIndex(1);
        QCOMPARE(dialog.tableModel()->rowCount(), 3);
        QCOMPARE(passed.size(), std::size_t(1));

        child<QComboBox>(dialog, "targetCombo")->setCurrentIndex(1);
        QCOMPARE(dialog.target(), QStringLiteral("A-00002"));
        QCOMPARE(dialog.tableModel()->rows().front().displayId, std::string("A-00002"));
        QCOMPARE(count->count(), 4);
        QCOMPARE(count->currentIndex(), 1);
        QCOMPARE(dialog.tableModel()->rowCount(), 3);
        QCOMPARE(passed.size(), std::size_t(2));
        QCOMPARE(passed.back(), dialog.conditions());

        dialog.selectRow(2);
        child<QCheckBox>(dialog, "hideExcludedCheck")->setChecked(true);
        QCOMPARE(count->currentIndex(), 1);
        QCOMPARE(dialog.tableModel()->rowCount(), 3);
        QCOMPARE(dialog.table()->currentIndex().row(), 2);
        QCOMPARE(passed.size(), std::size_t(3));
        QCOMPARE(passed.back(), (SearchConditions{0, 1, 0, 1}));

        // A fresh search (another side) lists every candidate again.
        count->setCurrentIndex(0);
        child<QComboBox>(dialog, "sideCombo")->setCurrentIndex(1);
        QCOMPARE(count->count(), 2);
        QCOMPARE(count->currentIndex(), 1);
        QCOMPARE(passed.back(), dialog.conditions());
    }

    // A cancelled pattern search leaves the window as it was, its target too: the next change
    // lists that target, not the first chart.
    void aCancelledPatternSearchKeepsTheTarget() {
        test::TempDir dir;
        ProjectModel model;
        openProject(dir, model);
        test::ScriptedResponder answers;
        CBridgeSearchDlg dialog(model, {0, 0, 0, 0}, QStringLiteral("A-00002"));
        std::vector<SearchConditions> passed;
        dialog.onConditionsChanged = [&](const SearchConditions& c) { passed.push_back(c); };
        dialog.show();
        const int searches = dialog.searchCount();
        QTest::mouseClick(dialog.chartView(), Qt::LeftButton, {}, markCentre(3));
        test::cancelTheNextSearch();
        child<QPushButton>(dialog, "searchButton")->click();
        QCOMPARE(dialog.searchCount(), searches);
        QVERIFY(!dialog.listsPattern());
        QCOMPARE(dialog.target(), QStringLiteral("A-00002"));
        QVERIFY(passed.empty());
        QVERIFY(answers.messages.empty());

        child<QComboBox>(dialog, "rankCombo")->setCurrentIndex(1);
        QCOMPARE(dialog.target(), QStringLiteral("A-00002"));
        QCOMPARE(child<QComboBox>(dialog, "targetCombo")->currentText(), QStringLiteral("A-00002"));
        QCOMPARE(dialog.tableModel()->rows().front().displayId, std::string("A-00002"));

        // A pattern search that runs hands its new count on.
        child<QPushButton>(dialog, "searchButton")->click();
        QVERIFY(dialog.listsPattern());
        QCOMPARE(dialog.target(), QString());
        QCOMPARE(passed.back(), dialog.conditions());
    }

    void printsAndSearchesAgainAfterTheListsAreReloaded() {
        test::TempDir dir;
        ProjectModel model;
        openProject(dir, model);
        test::PrintProposals answers;
        CBridgeSearchDlg dialog(model, {1, 0, 0, 0}, QStringLiteral("A-00001"));
        std::vector<std::string> asked;
        dialog.historyOpener = [&](QWidget*, int side, const std::string& dentalId) {
            asked.push_back(std::to_string(side) + ":" + dentalId);
            model.insertMatches({test::matchRow(std::stoi(dentalId), 1, "3")});
            return true;
        };
        int reloads = 0;
        dialog.onMatchesChanged = [&](const SearchConditions&) {
            ++reloads;
            // The main window replaces the lists the window's first run was made from.
            model.reloadRecords(PostMortem);
            model.reloadRecords(AnteMortem);
        };
        dialog.show();
        QCOMPARE(dialog.side(), 0);

        const QString pdf = QString::fromStdString(dir.file("print.pdf"));
        answers.printTo(pdf);
        dialog.printList();
        QCOMPARE(answers.proposedPdfs,
                 QStringList{QString::fromStdString(dir.file("個別検索印刷.pdf"))});
        QVERIFY(test::readBytes(pdf.toStdString()).rfind("%PDF", 0) == 0);
        test::keepPrintout(pdf, "bridge-search-print.pdf");
        QProcess render;
        render.start("pdftoppm", {"-r", "30", "-png", "-singlefile", pdf,
                                  QString::fromStdString(dir.file("page"))});
        QVERIFY2(render.waitForStarted(5000), "pdftoppm (poppler-utils) is needed");
        QVERIFY(render.waitForFinished(60000));
        QCOMPARE(render.exitCode(), 0);
        const QImage page(QString::fromStdString(dir.file("page.png")));
        QVERIFY(!page.isNull());
        // Landscape, with the grey heading band printed.
        QVERIFY(page.width() > page.height());
        int dark = 0;
        for (int y = 0; y < page.height(); y += 2)
            for (int x = 0; x < page.width(); x += 2)
                dark += qGray(page.pixel(x, y)) < 160 ? 1 : 0;
        QVERIFY(dark > 100);

        const int p1 = dialog.tableModel()->findRow("P-00001");
        QVERIFY(p1 > 0);
        dialog.selectRow(p1);
        dialog.openHistory();
        QCOMPARE(asked, std::vector<std::string>{"0:1"});
        QCOMPARE(reloads, 1);
        QCOMPARE(dialog.searchCount(), 2);
        const int again = dialog.tableModel()->findRow("P-00001");
        QVERIFY(again > 0);
        QCOMPARE(dialog.tableModel()->rows()[static_cast<std::size_t>(again)].mark,
                 std::string("u"));
        QCOMPARE(dialog.table()->currentIndex().row(), again);
        // The rows read the run's own copies, not the reloaded lists.
        QCOMPARE(dialog.tableModel()->rows()[static_cast<std::size_t>(again)].record->displayId,
                 std::string("P-00001"));
    }

    // Hiding takes the identified target away: the window searches the first chart still
    // listed and shows it as the whole side's search lists it.
    void hidingTheTargetSearchesTheFirstChartShown() {
        test::TempDir dir;
        ProjectModel model;
        openProject(dir, model);
        model.insertMatches({test::matchRow(1, 1, "0")});
        model.reloadRecords(PostMortem);
        model.reloadRecords(AnteMortem);
        CBridgeSearchDlg dialog(model, {0, 0, 0, 0}, QStringLiteral("A-00001"));
        dialog.show();
        QCOMPARE(dialog.tableModel()->rows().front().displayId, std::string("A-00001"));
        const int searches = dialog.searchCount();
        child<QCheckBox>(dialog, "hideExcludedCheck")->setChecked(true);
        QCOMPARE(dialog.searchCount(), searches + 1);
        QCOMPARE(child<QComboBox>(dialog, "targetCombo")->count(), 1);

        SearchRun whole;
        QVERIFY(runBridgeSearch(model, modelBridgeLists(model), 0, whole));
        const SearchEntry* listed = bridgeListedEntry(whole, dialog.target().toStdString(), 1);
        QVERIFY(listed != nullptr);
        const std::vector<BridgeRow> expected = bridgeRows(*listed, 0, 50, 1);
        const std::vector<BridgeRow>& rows = dialog.tableModel()->rows();
        QCOMPARE(rows.size(), expected.size());
        QCOMPARE(rows.front().displayId, std::string("A-00002"));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].displayId, expected[i].displayId);
            QCOMPARE(rows[i].mark, expected[i].mark);
            QCOMPARE(rows[i].counts, expected[i].counts);
        }
    }

    // The run reads the model's lists: when the search after their reload is cancelled the
    // window lists nothing, and the next choice searches again.
    void aCancelledSearchAfterAReloadListsNothing() {
        test::TempDir dir;
        ProjectModel model;
        openProject(dir, model);
        CBridgeSearchDlg dialog(model, {0, 0, 0, 0}, QStringLiteral("A-00001"));
        dialog.historyOpener = [](QWidget*, int, const std::string&) { return true; };
        dialog.onMatchesChanged = [&](const SearchConditions&) {
            model.reloadRecords(PostMortem);
            model.reloadRecords(AnteMortem);
            test::cancelTheNextSearch();
        };
        dialog.show();
        dialog.selectRow(dialog.tableModel()->findRow("P-00001"));
        dialog.openHistory();
        QCOMPARE(dialog.tableModel()->rowCount(), 0);
        dialog.openHistory();
        dialog.saveToFile();

        child<QComboBox>(dialog, "targetCombo")->setCurrentIndex(1);
        QCOMPARE(dialog.target(), QStringLiteral("A-00002"));
        QCOMPARE(dialog.tableModel()->rows().front().displayId, std::string("A-00002"));
        QCOMPARE(dialog.tableModel()->rows().front().record, &model.records(AnteMortem)[1]);
    }

    // A cancelled search for another target keeps the target listed.
    void aCancelledTargetSearchKeepsTheTarget() {
        test::TempDir dir;
        ProjectModel model;
        openProject(dir, model);
        CBridgeSearchDlg dialog(model, {0, 0, 0, 0}, QStringLiteral("A-00001"));
        dialog.show();
        const std::size_t rows = dialog.tableModel()->rows().size();
        test::cancelTheNextSearch();
        child<QComboBox>(dialog, "targetCombo")->setCurrentIndex(1);
        QCOMPARE(dialog.target(), QStringLiteral("A-00001"));
        QCOMPARE(child<QComboBox>(dialog, "targetCombo")->currentText(), QStringLiteral("A-00001"));
        QCOMPARE(dialog.tableModel()->rows().size(), rows);
        child<QComboBox>(dialog, "rankCombo")->setCurrentIndex(1);
        QCOMPARE(dialog.tableModel()->rows().front().displayId, std::string("A-00001"));
    }
};

} // namespace qdx

QTEST_MAIN(qdx::BridgeSearchDialogTest)
#include "BridgeSearchDialogTest.moc"
