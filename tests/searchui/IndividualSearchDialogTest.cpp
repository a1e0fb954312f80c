#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "store/RecordTable.h"
#include "ui/chart/ChartPainter.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/Prompts.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/search/CIndividualSearchDlg.h"
#include "ui/search/FullSearchTableModel.h"
#include "ui/search/IndividualSearchTableModel.h"
#include "ui/search/SearchTask.h"
#include "ui/search/SearchWindowOpeners.h"

#include "SearchWindowTesting.h"
#include "support/Printouts.h"
#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/QdxRunner.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"
#include "ui/chart/ChartGeometry.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <functional>
#include <random>

namespace qdx {
namespace {

// Ante-mortem charts A-0000k (one with a "/" in its ID), post-mortem charts P-000kk, and match
// rows of every kind.
void makeProject(const std::string& path) {
    std::mt19937 rng(11);
    std::vector<DentalRecord> pm;
    for (int i = 0; i < 12; ++i)
        pm.push_back(test::randomRecord(rng, "P-000" + std::to_string(10 + i), true));
    std::vector<DentalRecord> am;
    for (int i = 0; i < 5; ++i)
        am.push_back(
            test::randomRecord(rng, i == 4 ? "A/1-00005" : "A-0000" + std::to_string(i), true));
    test::writeProject(path, pm, am, test::cycledMatchRows({"1", "3", "4", "4", "3"}));
}

std::string qdxIndividualCsv(const std::string& project, const std::string& target,
                             const SearchConditions& c, const std::string& csv) {
    return test::qdxCsv({"individual", project, "--target", target, "--direction",
                         std::to_string(c.searchDirection), "--rank-key", std::to_string(c.rankKey),
                         "--top", std::to_string(c.topNIndex + 1), "--hide-excluded",
                         std::to_string(c.hideExcluded)},
                        csv);
}

using test::child;

// Records "under examination" for the pair of the asked record and `partner` through the
// model, as the match history window would.
HistoryOpener recordingHistory(ProjectModel& model, std::vector<std::string>& asked,
                               const std::string& partner) {
    return [&model, &asked, partner](QWidget*, int side, const std::string& dentalId) {
        asked.push_back(std::to_string(side) + ":" + dentalId);
        MatchRow row;
        row.ID_AFTER = side == PostMortem ? dentalId : partner;
        row.ID_BEFOR = side == PostMortem ? partner : dentalId;
        row.KIND = MatchKind::UnderInvestigation;
        model.insertMatches({row});
        return true;
    };
}

} // namespace

class IndividualSearchDialogTest : public QObject {
    Q_OBJECT

private slots:
    void opensFromTheMainWindowAndHandsChoicesBack() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        // The command reads the project before the window holds it.
        const SearchConditions wanted{0, 4, 3, 0};
        const std::string expected =
            qdxIndividualCsv(project, "A-00002", wanted, dir.file("cli.csv"));
        QVERIFY(!expected.empty());
        test::ScriptedResponder answers;
        CCusporaDlg main;
        QVERIFY(main.startUp(QString::fromStdString(project)));
        plugInSearchWindows(main);
        main.selectRow(AnteMortem, 2);
        main.rowClicked(AnteMortem);
        const QString target = main.currentId();
        QCOMPARE(target, QStringLiteral("A-00002"));
        QCOMPARE(main.currentConditions().searchDirection, 0);

        std::string saved;
        const std::string guiCsv = dir.file("gui.csv");
        SearchConditions chosen;
        test::whenReady<CIndividualSearchDlg>([&](CIndividualSearchDlg& dialog) {
            QAbstractItemModelTester tester(dialog.tableModel(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
            QCOMPARE(dialog.target(), target);
            QCOMPARE(dialog.searchCount(), 1);
            QVERIFY(!dialog.openedFromFullSearch());
            QCOMPARE(dialog.tableModel()->rows().front().displayId, target.toStdString());
            child<QComboBox>(dialog, "rankKeyCombo")->setCurrentIndex(3);
            child<QComboBox>(dialog, "displayCountCombo")->setCurrentIndex(4);
            // Changing the ranking or the count lists again without searching.
            QCOMPARE(dialog.searchCount(), 1);
            QCOMPARE(dialog.tableModel()->rowCount(), 6);
            chosen = dialog.conditions();
            answers.choose(QString::fromStdString(guiCsv));
            dialog.saveToFile();
            saved = test::readBytes(guiCsv);
        });
        main.openSearch(CCusporaDlg::WindowKind::IndividualSearch);
        QCOMPARE(chosen, wanted);
        QCOMPARE(main.currentConditions(), chosen);
        QVERIFY(answers.messages.empty());
        // In the project's folder, not the working folder.
        QCOMPARE(answers.choices.at(0).initialPath,
                 QString::fromStdString(dir.file("個別検索結果_A-00002.csv")));
        QVERIFY(!saved.empty());
        QCOMPARE(saved, expected);
    }

    void fullSearchDoubleClickSharesItsRunAndIsReused() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        // The fourth post-mortem chart (key 4) in the full search's order is P-00013.
        const std::string expected =
            qdxIndividualCsv(project, "P-00013", {1, 2, 2, 0}, dir.file("cli.csv"));
        QVERIFY(!expected.empty());
        ProjectModel model;
        test::openWithLists(model, project);
        test::ScriptedResponder answers;
        CFullSearchDlg full(model, {1, 2, 0, 0});
        std::vector<SearchConditions> toMain;
        full.onConditionsChanged = [&](const SearchConditions& c) { toMain.push_back(c); };
        full.show();
        QCOMPARE(full.searchCount(), 1);
        auto* fullDirection = child<QComboBox>(full, "directionCombo");
        auto* fullRank = child<QComboBox>(full, "rankKeyCombo");

        const auto& rows = full.tableModel()->rows();
        full.table()->doubleClicked(full.tableModel()->index(3, 2));
        auto* individual = full.findChild<CIndividualSearchDlg*>();
        QVERIFY(individual && individual->isVisible());
        QVERIFY(individual->openedFromFullSearch());
        QCOMPARE(individual->target().toStdString(), rows[3].displayId);
        QCOMPARE(individual->searchCount(), 0);
        QCOMPARE(individual->conditions(), full.conditions());
        QVERIFY(!fullDirection->isEnabled());
        QVERIFY(!child<QComboBox>(*individual, "directionCombo")->isEnabled());
        QAbstractItemModelTester tester(individual->tableModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);

        // Choices made here are adopted by the full search without searching again.
        child<QComboBox>(*individual, "rankKeyCombo")->setCurrentIndex(2);
        QCOMPARE(fullRank->currentIndex(), 2);
        QCOMPARE(full.searchCount(), 1);
        QCOMPARE(toMain.back(), full.conditions());
        answers.choose(QString::fromStdString(dir.file("gui.csv")));
        individual->saveToFile();
        QCOMPARE(rows[3].displayId, std::string("P-00013"));
        QCOMPARE(individual->conditions(), (SearchConditions{1, 2, 2, 0}));
        QCOMPARE(test::readBytes(dir.file("gui.csv")), expected);

        // The next double click re-uses the window with the full search's choices.
        fullRank->setCurrentIndex(1);
        full.table()->doubleClicked(full.tableModel()->index(5, 2));
        QCOMPARE(full.findChildren<CIndividualSearchDlg*>().size(), 1);
        QCOMPARE(individual->target().toStdString(), rows[5].displayId);
        QCOMPARE(individual->conditions().rankKey, 1);
        QCOMPARE(individual->tableModel()->rows().front().displayId, rows[5].displayId);

        // Closing only hides it and frees the direction of the full search.
        individual->accept();
        QVERIFY(!individual->isVisible());
        QVERIFY(fullDirection->isEnabled());
    }

    // The first double click of a newly opened full search lists the row before the window
    // shows: its picture was drawn before the pictures were loaded, all white.
    void theFirstDoubleClickPicturesTheTargetsTeeth() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        model.setPictureFolder(QDX_PICTURE_FOLDER);
        CFullSearchDlg full(model, {1, 2, 0, 0});
        full.show();
        full.table()->doubleClicked(full.tableModel()->index(0, 2));
        auto* individual = full.findChild<CIndividualSearchDlg*>();
        QVERIFY(individual && individual->isVisible());
        const IndividualRow& target = individual->tableModel()->rows().front();
        QCOMPARE(target.displayId, full.tableModel()->rows().front().displayId);

        const QImage shown = individual->chartView()->grab().toImage();
        ChartPainter painter;
        painter.loadPictures(QString::fromUtf8(QDX_PICTURE_FOLDER), kSearchKindCount);
        ChartContent content;
        content.kinds = individualPictureKinds(target);
        const QImage expected = painter.drawChart(content);
        QCOMPARE(shown.size(), expected.size());
        QCOMPARE(shown.convertToFormat(expected.format()), expected);
        int coloured = 0;
        for (int y = 0; y < shown.height(); y += 3)
            for (int x = 0; x < shown.width(); x += 3)
                coloured += shown.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        QVERIFY(coloured > 1000);
    }

    void aChangedHistorySearchesAgainKeepingTheTarget() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        test::ScriptedResponder answers;
        std::vector<std::string> asked;
        CFullSearchDlg full(model, {0, 4, 0, 0});
        int reloads = 0;
        full.onMatchesChanged = [&](const SearchConditions&) {
            ++reloads;
            model.reloadRecords(PostMortem);
            model.reloadRecords(AnteMortem);
        };
        const HistoryOpener record = recordingHistory(model, asked, "4"); // A-00003: key 4
        bool blockedMeanwhile = false;
        full.historyOpener = [&](QWidget* parent, int side, const std::string& id) {
            blockedMeanwhile = !full.table()->isEnabled() && parent->isEnabled();
            return record(parent, side, id);
        };
        full.show();
        const int row = full.tableModel()->findRow("A-00003");
        QVERIFY(row >= 0);
        full.table()->doubleClicked(full.tableModel()->index(row, 2));
        auto* individual = full.findChild<CIndividualSearchDlg*>();
        QVERIFY(individual);
        auto* history = child<QPushButton>(*individual, "historyButton");
        QVERIFY(history->isVisible() && history->isEnabled());
        // A candidate without an outcome yet.
        const auto& listed = individual->tableModel()->rows();
        const auto open = std::find_if(listed.begin() + 1, listed.end(),
                                       [](const IndividualRow& r) { return r.mark.empty(); });
        QVERIFY(open != listed.end());
        const std::string candidate = open->displayId;
        individual->selectRow(static_cast<int>(open - listed.begin()));
        individual->openHistory();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].substr(0, 2), std::string("0:"));
        QCOMPARE(reloads, 1);
        QCOMPARE(full.searchCount(), 2);
        QVERIFY(blockedMeanwhile);
        QVERIFY(full.table()->isEnabled());
        QCOMPARE(individual->target(), QStringLiteral("A-00003"));
        // The new outcome shows beside the candidate.
        const int again = individual->tableModel()->findRow(candidate);
        QVERIFY(again > 0);
        QCOMPARE(individual->tableModel()->rows()[static_cast<std::size_t>(again)].mark,
                 std::string("u"));
    }

    void onItsOwnItSearchesAgainAfterTheMainWindowReloads() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        std::vector<std::string> asked;
        CIndividualSearchDlg dialog(model, {0, 4, 0, 0}, QStringLiteral("A-00003"));
        std::vector<int> searchesWhenReloaded;
        dialog.onMatchesChanged = [&](const SearchConditions& c) {
            QCOMPARE(c, dialog.conditions());
            searchesWhenReloaded.push_back(dialog.searchCount());
            model.reloadRecords(PostMortem);
            model.reloadRecords(AnteMortem);
        };
        dialog.historyOpener = recordingHistory(model, asked, "4");
        dialog.show();
        const auto& listed = dialog.tableModel()->rows();
        const auto open = std::find_if(listed.begin() + 1, listed.end(),
                                       [](const IndividualRow& r) { return r.mark.empty(); });
        QVERIFY(open != listed.end());
        const std::string candidate = open->displayId;
        // Without a selection the first row's record is asked for.
        dialog.table()->clearSelection();
        dialog.table()->setCurrentIndex({});
        dialog.openHistory();
        QCOMPARE(asked.back(), std::string("1:4"));
        dialog.selectRow(dialog.tableModel()->findRow(candidate));
        dialog.openHistory();
        QCOMPARE(searchesWhenReloaded, (std::vector<int>{1, 2}));
        QCOMPARE(dialog.searchCount(), 3);
        QCOMPARE(dialog.target(), QStringLiteral("A-00003"));
        const int again = dialog.tableModel()->findRow(candidate);
        QVERIFY(again > 0);
        QCOMPARE(dialog.tableModel()->rows()[static_cast<std::size_t>(again)].mark,
                 std::string("u"));
        // The selection stays on the candidate.
        QCOMPARE(dialog.table()->currentIndex().row(), again);
    }

    void hiddenIdentifiedTargetListsNothing() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        // A-00000 (key 1) is identified with the post-mortem key 1.
        CIndividualSearchDlg dialog(model, {0, 2, 0, 1}, QStringLiteral("A-00000"));
        dialog.show();
        QVERIFY(dialog.isReady());
        QCOMPARE(child<QComboBox>(dialog, "targetCombo")->currentIndex(), -1);
        QCOMPARE(dialog.target(), QString());
        QCOMPARE(dialog.tableModel()->rowCount(), 0);
        QVERIFY(!child<QPushButton>(dialog, "saveButton")->isEnabled());
        QVERIFY(!child<QPushButton>(dialog, "printButton")->isEnabled());
        QVERIFY(!dialog.pictureKinds().has_value());
    }

    void theToothUnderThePointerExplainsAMismatch() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        CIndividualSearchDlg dialog(model, {1, 2, 0, 0}, QStringLiteral("P-00015"));
        dialog.show();
        QWidget* chart = dialog.chartView();
        const auto moveTo = [chart](int position) {
            const chart::ToothRect& r = chart::toothRects()[static_cast<std::size_t>(position)];
            const QPointF at((r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2);
            QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(chart, &move);
            return chart->toolTip();
        };
        // Position 0 and 16 lie clear of their neighbours.
        QCOMPARE(moveTo(0), QString());
        dialog.selectRow(1);
        const IndividualRow& own = dialog.tableModel()->rows()[0];
        const IndividualRow& shown = dialog.tableModel()->rows()[1];
        for (int position : {0, 16}) {
            const QString expected = shown.agrees[static_cast<std::size_t>(position)]
                                         ? QString()
                                         : QString::fromStdString("不一致　" + own.teeth[position] +
                                                                  ":" + shown.teeth[position]);
            QCOMPARE(moveTo(position), expected);
        }
        QMouseEvent away(QEvent::MouseMove, QPointF(240, 279),
                         chart->mapToGlobal(QPointF(240, 279)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(chart, &away);
        QCOMPARE(chart->toolTip(), QString());

        // Esc does nothing; Enter runs the focused button.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        child<QPushButton>(dialog, "closeButton")->setFocus();
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    }

    void rowSelectionPicturesTheRowAndSavesPrintsForASlashedId() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        test::PrintProposals answers;
        CIndividualSearchDlg dialog(model, {0, 2, 0, 0}, QStringLiteral("A/1-00005"));
        dialog.show();
        QCOMPARE(dialog.tableModel()->rowCount(), 4);
        QVERIFY(dialog.pictureKinds().has_value());
        QVERIFY(!dialog.chartView()->chart().isNull());
        QVERIFY(dialog.caption().startsWith("一致箇所の表示\n\nA/1-00005\n ×\n A/1-00005"));
        QCOMPARE(child<QLabel>(dialog, "legendText4")->text(), QStringLiteral("情報なし"));
        dialog.selectRow(2);
        const IndividualRow& shown = dialog.tableModel()->rows()[2];
        QCOMPARE(*dialog.pictureKinds(), individualPictureKinds(shown));
        QVERIFY(dialog.caption().endsWith(QString::fromStdString(" " + shown.displayId)));
        QCOMPARE(child<QLabel>(dialog, "legendText4")->text(),
                 QStringLiteral("不一致または情報なしで一致"));

        answers.choose(QString::fromStdString(dir.file("slash.csv")));
        dialog.saveToFile();
        QCOMPARE(answers.messages.size(), 1);
        QCOMPARE(answers.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(answers.choices.at(0).initialPath,
                 QString::fromStdString(dir.file("個別検索結果_A1-00005.csv")));
        QVERIFY(test::readBytes(dir.file("slash.csv")).size() > 100);

        const QString pdf = QString::fromStdString(dir.file("print.pdf"));
        answers.printTo(pdf);
        dialog.printList();
        QCOMPARE(answers.proposedPdfs,
                 QStringList{QString::fromStdString(dir.file("個別検索印刷.pdf"))});
        QVERIFY(test::readBytes(pdf.toStdString()).rfind("%PDF", 0) == 0);
        test::keepPrintout(pdf, "individual-search-print.pdf");
        const QString renderFailure = test::printoutRenderFailure(pdf, dir.file("page"));
        QVERIFY2(renderFailure.isEmpty(), qPrintable(renderFailure));

        // A file that cannot be created shows the error.
        answers.messages.clear();
        answers.choose(QString::fromStdString(dir.file("missing/folder/x.csv")));
        dialog.saveToFile();
        QCOMPARE(answers.messages.size(), 2);
        QVERIFY(answers.messages[1].text.startsWith("ファイルをオープンできませんでした。\n"));
    }
};

} // namespace qdx

QTEST_MAIN(qdx::IndividualSearchDialogTest)
#include "IndividualSearchDialogTest.moc"
