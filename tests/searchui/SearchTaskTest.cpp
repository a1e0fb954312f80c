#include "ui/search/SearchTask.h"
#include "matching/Ranking.h"
#include "matching/SearchRequest.h"
#include "store/ProjectModel.h"
#include "ui/common/LongTask.h"
#include "ui/common/Prompts.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/search/FullSearchTableModel.h"

#include "SearchWindowTesting.h"
#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include <QComboBox>
#include <QProgressDialog>
#include <QtTest>

#include <cstring>
#include <random>

namespace qdx {
namespace {

void makeProject(const std::string& path) {
    std::mt19937 rng(5);
    std::vector<DentalRecord> pm;
    for (int i = 0; i < 30; ++i)
        pm.push_back(test::randomRecord(rng, "P-000" + std::to_string(10 + i), true));
    std::vector<DentalRecord> am;
    for (int i = 0; i < 20; ++i)
        am.push_back(test::randomRecord(rng, "A-000" + std::to_string(10 + i), true));
    test::writeProject(path, pm, am, test::cycledMatchRows({"1", "3", "4", "2", "3"}));
}

// Every listed candidate of every entry under every criterion, with the bits of its score.
QStringList listing(const SearchRun& run) {
    QStringList lines;
    for (const SearchEntry& entry : run.entries())
        for (int key = 0; key < kRankKeyCount; ++key)
            for (const PairResult& r : visibleCandidates(entry, key, kMaxDisplayCount, 0)) {
                std::uint64_t bits = 0;
                std::memcpy(&bits, &r.score, sizeof bits);
                lines << QString::fromStdString(
                    entry.record().displayId + ">" + r.candidate->displayId + ":" +
                    r.outcome.storedText() + ":" + std::to_string(bits));
            }
    return lines;
}

} // namespace

class SearchTaskTest : public QObject {
    Q_OBJECT

private slots:
    void aCancelledWindowSearchLeavesNoResult() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        CFullSearchDlg dialog(model, {1, 2, 0, 0});
        test::cancelTheNextSearch();
        dialog.show();
        QCOMPARE(dialog.searchCount(), 0);
        QCOMPARE(dialog.tableModel()->rowCount(), 0);
        QVERIFY(!model.anyChanged());
        QVERIFY(!LongTask::isRunning());
        QVERIFY(QApplication::overrideCursor() == nullptr);

        // The window stays usable: the next search fills it.
        test::child<QComboBox>(dialog, "directionCombo")->setCurrentIndex(0);
        QCOMPARE(dialog.searchCount(), 1);
        QVERIFY(dialog.tableModel()->rowCount() > 0);
    }

    void aStoreFailureOfAWindowSearchIsShownAndLeavesNoResult() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        char* error = nullptr;
        QCOMPARE(sqlite3_exec(model.database().connection(), "DROP TABLE TB_MATCH", nullptr,
                              nullptr, &error),
                 SQLITE_OK);
        test::ScriptedResponder prompts;
        CFullSearchDlg dialog(model, {1, 2, 0, 0});
        dialog.show();
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].icon, MessageIcon::Error);
        QVERIFY2(prompts.messages[0].text.contains(QStringLiteral("no such table: TB_MATCH")),
                 qPrintable(prompts.messages[0].text));
        QCOMPARE(dialog.searchCount(), 0);
        QCOMPARE(dialog.tableModel()->rowCount(), 0);
        QVERIFY(!LongTask::isRunning());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void aWindowSearchGivesTheCoreSearchBitForBit() {
        test::TempDir dir;
        const std::string project = dir.file("p.qdx");
        makeProject(project);
        ProjectModel model;
        test::openWithLists(model, project);
        for (int direction : {0, 1}) {
            SearchRun plain;
            QVERIFY(runSearch(model, direction, plain));
            const std::unique_ptr<SearchRun> windowRun = searchInWindow(nullptr, model, direction);
            QVERIFY(windowRun != nullptr);
            const QStringList expected = listing(plain);
            QVERIFY(!expected.isEmpty());
            QCOMPARE(listing(*windowRun), expected);
        }
    }
};

} // namespace qdx

QTEST_MAIN(qdx::SearchTaskTest)
#include "SearchTaskTest.moc"
