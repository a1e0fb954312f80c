#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "store/RecordTable.h"
#include "ui/common/Prompts.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/search/FullSearchTableModel.h"
#include "ui/search/PrintRenderer.h"
#include "ui/search/SearchTask.h"
#include "views/print/PageBuilder.h"

#include "SearchWindowTesting.h"
#include "support/Printouts.h"
#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/QdxRunner.h"
#include "support/TestFiles.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <functional>
#include <memory>
#include <random>

namespace qdx {
namespace {

// A small project with ties, identified records, outcomes of every kind and an ID with a comma.
void makeProject(const std::string& path) {
    std::mt19937 rng(7);
    std::vector<DentalRecord> pm;
    for (int i = 0; i < 9; ++i)
        pm.push_back(test::randomRecord(
            rng, "P" + std::to_string(i % 3) + "-0000" + std::to_string(i), false));
    std::vector<DentalRecord> am;
    for (int i = 0; i < 6; ++i)
        am.push_back(
            test::randomRecord(rng, i == 5 ? "A,1-00005" : "P1-0000" + std::to_string(i), false));
    // Two identical charts on the candidate side make a tie.
    DentalRecord twin = test::randomRecord(rng, "T-00001", false);
    pm.push_back(twin);
    twin.displayId = "T-00002";
    pm.push_back(twin);
    test::writeProject(path, pm, am, test::cycledMatchRows({"1", "3", "4", "4", "2"}));
}

} // namespace

class FullSearchDialogTest : public QObject {
    Q_OBJECT

private slots:
    void matchesTheCommandLineFileForEveryChoice() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        std::vector<SearchConditions> cases;
        for (int direction : {0, 1})
            for (int rankKey : {0, 3})
                for (int hide : {0, 1})
                    cases.push_back({direction, 1, rankKey, hide});
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const SearchConditions& c = cases[i];
            const std::string csv = dir.file("cli" + std::to_string(i) + ".csv");
            const test::QdxResult qdx =
                test::runQdx({"search", project, "--direction", std::to_string(c.searchDirection),
                              "--rank-key", std::to_string(c.rankKey), "--top", "2",
                              "--hide-excluded", std::to_string(c.hideExcluded), "--csv", csv});
            expected.push_back(test::readBytes(csv));
            QVERIFY2(!expected.back().empty(), qdx.err.c_str());
        }

        ProjectModel model;
        test::openWithLists(model, project);
        test::ScriptedResponder answers;
        CFullSearchDlg dialog(model, cases[0]);
        std::vector<SearchConditions> passed;
        dialog.onConditionsChanged = [&](const SearchConditions& c) { passed.push_back(c); };
        dialog.show();
        QAbstractItemModelTester tester(dialog.tableModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(dialog.searchCount(), 1);
        auto* direction = dialog.findChild<QComboBox*>("directionCombo");
        auto* rankKey = dialog.findChild<QComboBox*>("rankKeyCombo");
        auto* count = dialog.findChild<QComboBox*>("displayCountCombo");
        auto* hide = dialog.findChild<QCheckBox*>("hideExcludedCheck");
        QVERIFY(direction && rankKey && count && hide);
        QCOMPARE(count->currentIndex(), 1);

        for (std::size_t i = 0; i < cases.size(); ++i) {
            const SearchConditions& c = cases[i];
            direction->setCurrentIndex(c.searchDirection);
            rankKey->setCurrentIndex(c.rankKey);
            hide->setChecked(c.hideExcluded == 1);
            count->setCurrentIndex(1);
            QCOMPARE(dialog.conditions().rankKey, c.rankKey);
            const std::string csv = dir.file("gui" + std::to_string(i) + ".csv");
            answers.choose(QString::fromStdString(csv));
            dialog.saveToFile();
            QCOMPARE(test::readBytes(csv), expected[i]);
        }
        QVERIFY(!passed.empty());
        QCOMPARE(passed.back(), dialog.conditions());
        // Only a change of direction searches again.
        QCOMPARE(dialog.searchCount(), 2);
        QVERIFY2(answers.allAnswered(), qPrintable(answers.texts().join("|")));
    }

    void sortedTableSavesAndPrintsInItsOrder() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        test::PrintProposals answers;
        CFullSearchDlg dialog(model, {1, 4, 0, 0});
        dialog.show();
        FullSearchTableModel* table = dialog.tableModel();
        QVERIFY(table->rowCount() > 3);
        QCOMPARE(table->displayCount(), 5);
        dialog.table()->horizontalHeader()->sectionClicked(3);
        for (int r = 1; r < table->rowCount(); ++r)
            QVERIFY(table->rows()[r - 1].priority >= table->rows()[r].priority);
        answers.choose(QString::fromStdString(dir.file("sorted.csv")));
        dialog.saveToFile();
        // Files are proposed in the project's folder, not the working or the home folder.
        QCOMPARE(answers.choices.at(0).initialPath,
                 QString::fromStdString(dir.file("総検索結果.csv")));
        const std::string csv = test::readBytes(dir.file("sorted.csv"));
        const std::string firstId = table->rows()[0].displayId;
        QCOMPARE(csv.substr(csv.find("\r\n") + 2, firstId.size()), firstId);

        const QString pdfPath = QString::fromStdString(dir.file("print.pdf"));
        answers.printTo(pdfPath);
        dialog.printTable();
        QCOMPARE(answers.proposedPdfs,
                 QStringList{QString::fromStdString(dir.file("総検索印刷.pdf"))});
        const std::string pdf = test::readBytes(pdfPath.toStdString());
        QVERIFY(pdf.rfind("%PDF", 0) == 0);
        test::keepPrintout(pdfPath, "full-search-print.pdf");
        const QString renderFailure = test::printoutRenderFailure(pdfPath, dir.file("page"));
        QVERIFY2(renderFailure.isEmpty(), qPrintable(renderFailure));

        // A file that cannot be created shows the error and writes nothing.
        answers.choose(QString::fromStdString(dir.file("missing/folder/x.csv")));
        dialog.saveToFile();
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY(answers.messages[0].text.startsWith("ファイルをオープンできませんでした。\n"));
        QVERIFY(answers.allAnswered());
    }

    void cancelledSearchKeepsThePreviousTable() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        CFullSearchDlg dialog(model, {1, 2, 0, 0});
        std::vector<SearchConditions> passed;
        dialog.onConditionsChanged = [&](const SearchConditions& c) { passed.push_back(c); };
        dialog.show();
        const std::string firstRow = dialog.tableModel()->rows().at(0).displayId;
        const int rows = dialog.tableModel()->rowCount();

        test::cancelTheNextSearch();
        dialog.findChild<QComboBox*>("directionCombo")->setCurrentIndex(0);
        QCOMPARE(dialog.searchCount(), 1);
        QCOMPARE(dialog.conditions().searchDirection, 1);
        QCOMPARE(dialog.tableModel()->rowCount(), rows);
        QCOMPARE(dialog.tableModel()->rows().at(0).displayId, firstRow);
        QVERIFY(passed.empty());

        // The window stays usable: the next change searches.
        dialog.findChild<QComboBox*>("directionCombo")->setCurrentIndex(0);
        QCOMPARE(dialog.searchCount(), 2);
        QCOMPARE(passed.size(), std::size_t{1});
    }

    // The real print dialog shows the project's folder for printing to a file.
    void thePrintDialogProposesAFileInTheProjectsFolder() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        CFullSearchDlg dialog(model, {1, 2, 0, 0});
        dialog.show();
        QString proposed = QStringLiteral("no print dialog");
        const auto poll = std::make_shared<std::function<void()>>();
        *poll = [&, poll] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* printDialog = qobject_cast<QPrintDialog*>(w);
                if (!printDialog || !printDialog->isVisible())
                    continue;
                // The file field of Qt's own dialog.
                auto* file = printDialog->findChild<QLineEdit*>(QStringLiteral("filename"));
                proposed = file ? file->text() : QStringLiteral("no file field");
                printDialog->reject();
                return;
            }
            QTimer::singleShot(20, *poll);
        };
        QTimer::singleShot(20, *poll);
        dialog.printTable();
        QCOMPARE(proposed, QString::fromStdString(dir.file("総検索印刷.pdf")));
        QVERIFY(!QFile::exists(proposed));
    }

    // IDs longer than their column print whole, condensed sideways into it; shorter ones print
    // as they are.
    void longIdsPrintWholeCondensedIntoTheirColumn() {
        const std::string longId = "石巻市警察署-D0002-00149";
        constexpr int kLeft = 100;
        constexpr int kFit = 570;
        PrintPage page;
        PageBuilder b(page);
        b.fittedText(PrintFont::Body, kLeft, 50, longId, kFit);
        b.text(PrintFont::Body, kLeft, 250, longId);
        b.fittedText(PrintFont::Body, kLeft, 450, "D0002-00140", kFit);
        b.text(PrintFont::Body, kLeft, 650, "D0002-00140");
        QImage image(1600, 900, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            renderPrintPage(painter, page, PrintFonts::forDevice(&image));
        }
        // The ink's left and right ends, top and bottom within a band of rows.
        const auto ink = [&image](int top) {
            QRect r;
            for (int y = top; y < top + 200; ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qGray(image.pixel(x, y)) < 128)
                        r = r.united(QRect(x, y, 1, 1));
            return r;
        };
        const QRect fitted = ink(50);
        const QRect natural = ink(250);
        QVERIFY(natural.right() > kLeft + kFit);
        QVERIFY2(fitted.right() <= kLeft + kFit, qPrintable(QString::number(fitted.right())));
        // Filling its column, as high as ever.
        QVERIFY(fitted.width() > kFit * 9 / 10);
        QCOMPARE(fitted.top() - 50, natural.top() - 250);
        QCOMPARE(fitted.height(), natural.height());
        QCOMPARE(ink(450).translated(0, 200), ink(650));

        // On paper: the whole ID reaches the printout of the window.
        test::TempDir dir;
        const std::string project = dir.file("long.qdx");
        std::mt19937 rng(3);
        test::writeProject(
            project,
            {test::randomRecord(rng, longId, false), test::randomRecord(rng, "D0002-00140", false)},
            {test::randomRecord(rng, "A-00001", false)}, {});
        ProjectModel model;
        test::openWithLists(model, project);
        test::ScriptedResponder answers;
        CFullSearchDlg search(model, {0, 1, 0, 0});
        search.show();
        const QString pdf = QString::fromStdString(dir.file("long.pdf"));
        answers.printTo(pdf);
        search.printTable();
        test::keepPrintout(pdf, "full-search-long-ids.pdf");
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        QVERIFY2(text.waitForStarted(5000), "pdftotext (poppler-utils) is needed");
        QVERIFY(text.waitForFinished(60000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(printed.contains(QString::fromStdString(longId)), qPrintable(printed));
        QVERIFY2(printed.contains("D0002-00140"), qPrintable(printed));
        QVERIFY(!printed.contains(QStringLiteral("…")));
    }

    void noCandidatesDisablesSavingAndPrinting() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        {
            ProjectModel model;
            openProjectFile(model, splitProjectPath(project));
            records::insertRecord(model.database(), AnteMortem, DentalRecord());
            model.save();
            model.close(true);
        }
        ProjectModel model;
        test::openWithLists(model, project);
        CFullSearchDlg dialog(model, {0, 2, 0, 0});
        dialog.show();
        auto* count = dialog.findChild<QComboBox*>("displayCountCombo");
        QCOMPARE(count->count(), 0);
        QVERIFY(!count->isEnabled());
        QVERIFY(!dialog.findChild<QPushButton*>("saveButton")->isEnabled());
        QVERIFY(!dialog.findChild<QPushButton*>("printButton")->isEnabled());
        QCOMPARE(dialog.tableModel()->columnCount(), 4);

        // Esc does nothing; Enter runs the focused button.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        auto* close = dialog.findChild<QPushButton*>("closeButton");
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

} // namespace qdx

QTEST_MAIN(qdx::FullSearchDialogTest)
#include "FullSearchDialogTest.moc"
