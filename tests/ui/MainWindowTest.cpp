#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "app/ProjectShell.h"
#include "io/TextCodec.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/main/MainWindowLayout.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <filesystem>

using namespace qdx;
using namespace qdx::test;

namespace {

const QString kSaveQuestion = QStringLiteral(
    "変更を保存しますか？\n保存する場合は「はい」、破棄する場合は「いいえ」を選択してください。");

std::vector<EnteredRecord> records(const std::string& upper, int count) {
    std::vector<EnteredRecord> list;
    for (int i = 1; i <= count; ++i) {
        list.push_back({upper, std::to_string(10000 + i).substr(0, 5)});
    }
    return list;
}

// A window on a project written beforehand, opened as if named on the command line.
struct OpenWindow {
    explicit OpenWindow(const std::string& path, const QString& documents = {}) {
        if (!documents.isEmpty()) {
            window.shell().setDocumentsFolder(documents);
        }
        opened = window.startUp(QString::fromStdString(path));
        window.show();
    }
    CCusporaDlg window;
    bool opened = false;
};

void clickRow(CCusporaDlg& window, int side, int row) {
    QTableView* view = window.listView(side);
    const QModelIndex index = view->model()->index(row, 1);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

QString countText(CCusporaDlg& window, const char* name) {
    return child<QLabel>(window, name)->text();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensTheProjectAndFillsBothLists() {
        TempDir dir;
        const std::string path = dir.file("case.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}, {"C", "00003"}},
                            {{"X", "00001"}});
        ScriptedResponder prompts;
        OpenWindow w(path);
        QVERIFY(w.opened);
        QCOMPARE(w.window.windowTitle(), QStringLiteral("case - Quendix Free (case.qdx)"));
        QCOMPARE(countText(w.window, "postMortemCount"), QStringLiteral("全件数  3件"));
        QCOMPARE(countText(w.window, "anteMortemCount"), QStringLiteral("全件数  1件"));
        // The newest record is selected after a load.
        QCOMPARE(w.window.selectedRow(0), 2);
        QCOMPARE(w.window.listModel(0)->idText(0), QStringLiteral("A-00001"));
        // The standard layout keeps these hidden, and shows export and project import disabled.
        for (const char* name : {"postMortemQrButton", "bridgeSearchButton", "directionCombo",
                                 "displayCountCombo", "rankKeyCombo", "hideExcludedCheck",
                                 "totalSearchButton", "dataMatchingButton", "markSheetPathEdit"}) {
            QVERIFY2(!child(w.window, name)->isVisible(), name);
        }
        QVERIFY(!w.window.action(CCusporaDlg::CmdExport)->isEnabled());
        QVERIFY(!w.window.action(CCusporaDlg::CmdImportProject)->isEnabled());
        QVERIFY(!w.window.action(CCusporaDlg::CmdSettings)->isEnabled());
        QVERIFY(prompts.messages.isEmpty());
        // Esc does nothing to the main window.
        QTest::keyClick(&w.window, Qt::Key_Escape);
        QVERIFY(w.window.isVisible());
    }

    // The layout table and the window agree on the names: every control has a name of its
    // own, every name of the table is a control, and a resize puts each where the table says.
    void theLayoutPlacesEveryNamedControl() {
        TempDir dir;
        const std::string path = dir.file("l.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {{"B", "00001"}});
        OpenWindow w(path);
        auto* client = child(w.window, "clientArea");
        QSet<QString> names;
        for (QWidget* widget : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QString name = widget->objectName();
            QVERIFY2(!name.isEmpty(), widget->metaObject()->className());
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
        }
        w.window.resize(w.window.width() + 101, w.window.height() + 57);
        QCoreApplication::processEvents();
        const auto places = mainWindowLayout(client->width(), client->height());
        QCOMPARE(client->size(), QSize(1240 + 101, 760 + 57));
        for (const auto& [name, place] : places) {
            QVERIFY2(names.contains(name), qPrintable(name));
            const QWidget* widget = child(*client, qPrintable(name));
            QCOMPARE(widget->pos(), place.position);
            if (place.size.isValid()) {
                QCOMPARE(widget->size(), place.size);
            }
        }
        // The menu commands are named too.
        QSet<QString> commands;
        for (int c = CCusporaDlg::CmdSaveProject; c <= CCusporaDlg::CmdAbout; ++c) {
            commands.insert(w.window.action(static_cast<CCusporaDlg::Command>(c))->objectName());
        }
        QCOMPARE(commands.size(), CCusporaDlg::CmdAbout + 1);
        QVERIFY(!commands.contains(QString()));
        QCOMPARE(w.window.findChild<QAction*>("saveProjectAction"),
                 w.window.action(CCusporaDlg::CmdSaveProject));
    }

    void hiddenCommandsShowWhenAsked() {
        TempDir dir;
        const std::string path = dir.file("h.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {});
        CCusporaDlg window(true);
        QVERIFY(window.startUp(QString::fromStdString(path)));
        window.show();
        for (const char* name :
             {"postMortemHistoryButton", "postMortemCompareButton", "bridgeSearchButton",
              "directionCombo", "hideExcludedCheck", "totalSearchButton", "dataMatchingButton"}) {
            QVERIFY2(child(window, name)->isVisible(), name);
        }
        QVERIFY(window.action(CCusporaDlg::CmdExport)->isEnabled());
        // Shown, the bridge search moves out of the individual search's place.
        window.resize(window.width() + 40, window.height() + 20);
        QCoreApplication::processEvents();
        const QSize client = child(window, "clientArea")->size();
        QCOMPARE(child(window, "bridgeSearchButton")->pos(),
                 QPoint(client.width() - 640, client.height() - 56));
        QCOMPARE(child(window, "individualSearchButton")->pos(),
                 QPoint(client.width() - 377, client.height() - 56));
    }

    void commandStatesFollowTheLists() {
        TempDir dir;
        const std::string path = dir.file("s.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {});
        OpenWindow w(path);
        for (const char* name :
             {"bridgeSearchButton", "individualSearchButton", "fullSearchButton",
              "anteMortemModifyButton", "anteMortemDeleteButton", "anteMortemHistoryButton",
              "anteMortemCompareButton", "anteMortemQrButton"}) {
            QVERIFY2(!child(w.window, name)->isEnabled(), name);
        }
        QVERIFY(child(w.window, "postMortemDeleteButton")->isEnabled());
        // New and modify wait for the entry window.
        QVERIFY(!child(w.window, "anteMortemNewButton")->isEnabled());
        QVERIFY(!child(w.window, "anteMortemNewButton")->toolTip().isEmpty());
        w.window.setWindowOpener(
            CCusporaDlg::WindowKind::Entry,
            [](CCusporaDlg&, const CCusporaDlg::WindowRequest&) { return false; });
        QVERIFY(child(w.window, "anteMortemNewButton")->isEnabled());
        QVERIFY(child(w.window, "postMortemModifyButton")->isEnabled());
        QVERIFY(!child(w.window, "anteMortemModifyButton")->isEnabled());
    }

    void topNChoicesFollowTheCandidates() {
        TempDir dir;
        const std::string path = dir.file("n.qdx");
        writeEnteredProject(path, records("P", 2), records("M", 80));
        OpenWindow w(path);
        auto* topN = child<QComboBox>(w.window, "displayCountCombo");
        auto* direction = child<QComboBox>(w.window, "directionCombo");
        // Direction 0 searches among the two post-mortem records.
        QCOMPARE(direction->currentIndex(), 0);
        QCOMPARE(topN->count(), 2);
        QCOMPARE(topN->itemText(1), QStringLiteral("TOP 2 を表示"));
        // A new project stores no display count, and opening it keeps none selected.
        QCOMPARE(topN->currentIndex(), -1);
        direction->setCurrentIndex(1);
        QCOMPARE(topN->count(), 50);
        QCOMPARE(topN->currentIndex(), 2);
        topN->setCurrentIndex(9);
        direction->setCurrentIndex(0);
        QCOMPARE(topN->currentIndex(), 1);
        direction->setCurrentIndex(1);
        QCOMPARE(topN->currentIndex(), 1);
        topN->setCurrentIndex(9);
        child<QCheckBox>(w.window, "hideExcludedCheck")->setChecked(true);
        QCOMPARE(topN->currentIndex(), 9);

        TempDir empty;
        const std::string none = empty.file("e.qdx");
        writeEnteredProject(none, {}, records("M", 3));
        OpenWindow e(none);
        auto* emptyTopN = child<QComboBox>(e.window, "displayCountCombo");
        QCOMPARE(emptyTopN->count(), 0);
        QVERIFY(!emptyTopN->isEnabled());
    }

    void searchConditionsAreStoredAndCopied() {
        TempDir dir;
        const std::string path = dir.file("c.qdx");
        writeEnteredProject(path, records("P", 5), records("M", 5));
        OpenWindow w(path);
        SearchConditions wanted;
        wanted.searchDirection = 1;
        wanted.topNIndex = 4;
        wanted.rankKey = 3;
        wanted.hideExcluded = 1;
        w.window.applySearchConditions(wanted, false);
        QCOMPARE(w.window.currentConditions(), wanted);
        QComboBox direction, topN, rank;
        QCOMPARE(w.window.copySearchConditionsTo(&direction, &topN, &rank), 1);
        QCOMPARE(direction.currentText(), QStringLiteral("死後→生前"));
        QCOMPARE(topN.count(), 5);
        QCOMPARE(topN.currentIndex(), 4);
        QCOMPARE(rank.currentText(), QStringLiteral("スコア"));
        QVERIFY(!w.window.model().settingsOrMatchesChanged());
        w.window.storeSearchConditions();
        QVERIFY(w.window.model().settingsOrMatchesChanged());
        QCOMPARE(w.window.model().settings().conditions, wanted);
        ScriptedResponder prompts;
        w.window.saveProject();
        QVERIFY(prompts.messages.isEmpty());
        w.window.model().close(false);
        QCOMPARE(countOnDisk(path, "SELECT MATCH FROM TB_SETUP WHERE ID=1"), 0);
        QCOMPARE(countOnDisk(path, "SELECT RANK FROM TB_SETUP WHERE ID=1"), 4);
        QCOMPARE(countOnDisk(path, "SELECT SORT FROM TB_SETUP_PRO WHERE ID=2"), 3);
    }

    void clickingARowSetsDirectionAndCurrentId() {
        TempDir dir;
        const std::string path = dir.file("r.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}}, {{"X", "00001"}});
        OpenWindow w(path);
        auto* direction = child<QComboBox>(w.window, "directionCombo");
        clickRow(w.window, 0, 0);
        QCOMPARE(w.window.currentId(), QStringLiteral("A-00001"));
        QCOMPARE(direction->currentIndex(), 1);
        clickRow(w.window, 1, 0);
        QCOMPARE(w.window.currentId(), QStringLiteral("X-00001"));
        QCOMPARE(direction->currentIndex(), 0);
    }

    void deleteRefusesIdentifiedAndWarnsAboutMatches() {
        TempDir dir;
        const std::string path = dir.file("d.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}, {"C", "00003"}},
                            {{"X", "00001"}, {"Y", "00002"}},
                            {matchRow(1, 1, "1"), matchRow(2, 1, "3"), matchRow(2, 2, "4")});
        ScriptedResponder prompts;
        OpenWindow w(path);
        CCusporaDlg& window = w.window;
        QCOMPARE(window.listModel(0)->markText(0), QStringLiteral("*"));

        clickRow(window, 0, 0);
        window.deleteRecord(0);
        QCOMPARE(prompts.texts().last(), QStringLiteral("判明済みのデータは削除できません。"));
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Exclamation);

        clickRow(window, 0, 1);
        prompts.answer(MessageAnswer::No);
        window.deleteRecord(0);
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral(
                     "鑑定中データ、他人データがあります。本当に削除しますがよろしいですか？"));
        QCOMPARE(prompts.messages.last().buttons, MessageButtons::YesNo);
        QCOMPARE(window.listModel(0)->rowCount(), 3);

        prompts.answer(MessageAnswer::Yes);
        window.deleteRecord(0);
        QCOMPARE(prompts.texts().last(), QStringLiteral("削除しました。"));
        QCOMPARE(window.listModel(0)->rowCount(), 2);
        // The row at the old index is selected: C moved up into it.
        QCOMPARE(window.selectedRow(0), 1);
        QCOMPARE(window.currentId(), QStringLiteral("C-00003"));
        QVERIFY(window.model().getMatchHistory(0, 2).empty());
        QVERIFY(window.model().getMatchHistory(1, 2).empty());
        QVERIFY(window.model().recordsChangedPM());

        // Deleting the last row selects the new last row; no match rows, no prefix.
        prompts.answer(MessageAnswer::Yes);
        window.deleteRecord(0);
        QCOMPARE(prompts.texts().at(prompts.texts().size() - 2),
                 QStringLiteral("本当に削除しますがよろしいですか？"));
        QCOMPARE(window.listModel(0)->rowCount(), 1);
        QCOMPARE(window.selectedRow(0), 0);
        QCOMPARE(window.currentId(), QStringLiteral("A-00001"));

        window.selectRow(1, -1);
        window.deleteRecord(1);
        QCOMPARE(
            prompts.texts().last(),
            QStringLiteral(
                "削除対象が選択されていません。\n再度、行を選択し削除ボタンを押下してください。"));
        QVERIFY(prompts.allAnswered());
    }

    void hiddenDataMatchingRemovesPostMortemTwins() {
        TempDir dir;
        const std::string path = dir.file("t.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}, {"C", "00003"}},
                            {{"B", "00002"}, {"Z", "00001"}});
        ScriptedResponder prompts;
        CCusporaDlg window(true);
        QVERIFY(window.startUp(QString::fromStdString(path)));
        child<QPushButton>(window, "dataMatchingButton")->click();
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(window.listModel(0)->rowCount(), 2);
        QCOMPARE(window.listModel(0)->rowOfKey(QStringLiteral("2")), -1);
        QCOMPARE(window.listModel(1)->rowCount(), 2);
    }

    void reloadKeepsSelectionAndScroll() {
        TempDir dir;
        const std::string path = dir.file("k.qdx");
        writeEnteredProject(path, records("P", 120), records("M", 3));
        OpenWindow w(path);
        w.window.selectRow(0, 40);
        w.window.listView(0)->scrollTo(w.window.listModel(0)->index(35, 0),
                                       QAbstractItemView::PositionAtTop);
        const int top = w.window.listView(0)->rowAt(0);
        w.window.applySearchConditions(w.window.currentConditions(), true);
        QCOMPARE(w.window.selectedRow(0), 40);
        QCOMPARE(w.window.listView(0)->rowAt(0), top);
    }

    void newAndModifyStoreThroughTheEntryWindow() {
        TempDir dir;
        const std::string path = dir.file("m.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}},
                            {{"X", "00001"}, {"Y", "00002"}});
        ScriptedResponder prompts;
        OpenWindow w(path);
        CCusporaDlg& window = w.window;
        std::string nextUpper = "M";
        window.setWindowOpener(
            CCusporaDlg::WindowKind::Entry,
            [&nextUpper](CCusporaDlg& main, const CCusporaDlg::WindowRequest& request) {
                RecordEntry& entry = main.model().entry();
                entry.side = request.side;
                entry.upperIdPart = nextUpper;
                entry.lowerIdPart = "00005";
                if (request.mode == 1) {
                    entry.isUpdate = true;
                    entry.dentalId = request.dentalId;
                }
                return true;
            });
        // A new ante-mortem record sorts between the others and is selected.
        window.selectRow(0, 0);
        window.newRecord(1);
        QCOMPARE(window.listModel(1)->rowCount(), 3);
        QCOMPARE(window.listModel(1)->idText(window.selectedRow(1)), QStringLiteral("M-00005"));
        QCOMPARE(window.currentId(), QStringLiteral("M-00005"));
        QCOMPARE(window.selectedRow(0), 0);
        QCOMPARE(child<QComboBox>(window, "directionCombo")->currentIndex(), 0);

        // Renaming A to Z moves it to the end of the list; it stays selected there even though
        // B has the higher key.
        nextUpper = "Z";
        window.selectRow(0, 0);
        window.modifyRecord(0);
        QCOMPARE(window.listModel(0)->idText(1), QStringLiteral("Z-00005"));
        QCOMPARE(window.selectedRow(0), 1);
        QVERIFY(prompts.messages.isEmpty());

        window.selectRow(0, -1);
        window.modifyRecord(0);
        QCOMPARE(prompts.texts().last(), QStringLiteral("修正対象が選択されていません。\n再度、行を"
                                                        "選択し修正ボタンを押下してください。"));
    }

    void exitWithoutChangesAsksOnce() {
        TempDir dir;
        const std::string path = dir.file("x.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {});
        ScriptedResponder prompts;
        OpenWindow w(path);
        QSignalSpy finished(&w.window, &QDialog::finished);
        prompts.answer(MessageAnswer::No);
        w.window.confirmExit();
        QCOMPARE(prompts.texts().last(), QStringLiteral("プログラムを終了しますか？"));
        QCOMPARE(finished.count(), 0);
        QVERIFY(w.window.model().isOpen());
        prompts.answer(MessageAnswer::Yes);
        w.window.close();
        QCOMPARE(finished.count(), 1);
        QVERIFY(!w.window.model().isOpen());
    }

    void exitAfterAChangeAsksToSave_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("rowsOnDisk");
        QTest::addColumn<bool>("ends");
        QTest::newRow("yes saves") << int(MessageAnswer::Yes) << 1 << true;
        QTest::newRow("no discards") << int(MessageAnswer::No) << 2 << true;
        QTest::newRow("cancel stays") << int(MessageAnswer::Cancel) << -1 << false;
    }

    void exitAfterAChangeAsksToSave() {
        QFETCH(int, answer);
        QFETCH(int, rowsOnDisk);
        QFETCH(bool, ends);
        TempDir dir;
        const std::string path = dir.file("y.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}}, {});
        ScriptedResponder prompts;
        OpenWindow w(path);
        QSignalSpy finished(&w.window, &QDialog::finished);
        prompts.answer(MessageAnswer::Yes);
        w.window.deleteRecord(0);
        prompts.answer(static_cast<MessageAnswer>(answer));
        w.window.confirmExit();
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral("プログラムを終了します。") + kSaveQuestion);
        QCOMPARE(prompts.messages.last().buttons, MessageButtons::YesNoCancel);
        QCOMPARE(finished.count(), ends ? 1 : 0);
        QCOMPARE(w.window.model().isOpen(), !ends);
        if (ends) {
            QCOMPARE(countOnDisk(path, "SELECT COUNT(*) FROM TB_AFTER"), rowsOnDisk);
        } else {
            // The project is still held: nobody else can read it.
            QVERIFY(w.window.model().recordsChangedPM());
            QCOMPARE(countOnDisk(path, "SELECT COUNT(*) FROM TB_AFTER"), -1);
        }
    }

    void savingMakesChangesPermanentQuietly() {
        TempDir dir;
        const std::string path = dir.file("v.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}}, {});
        ScriptedResponder prompts;
        OpenWindow w(path);
        prompts.answer(MessageAnswer::Yes);
        w.window.deleteRecord(0);
        w.window.action(CCusporaDlg::CmdSaveProject)->trigger();
        w.window.action(CCusporaDlg::CmdSaveProject)->trigger();
        QCOMPARE(prompts.messages.size(), 2);
        QVERIFY(!w.window.model().anyChanged());
        w.window.model().close(false);
        QCOMPARE(countOnDisk(path, "SELECT COUNT(*) FROM TB_AFTER"), 1);
    }

    void penImportFromTheMenuLandsInTheList() {
        TempDir dir;
        const std::string path = dir.file("p.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {});
        QStringList form;
        for (int i = 0; i < 64; ++i) {
            form << QString();
        }
        form[1] = QStringLiteral("1");
        form[3] = QStringLiteral("2024/05/01 10:00:00");
        form[4] = QStringLiteral("東京");
        form[7] = QStringLiteral("12");
        form[8] = QStringLiteral("11");
        form[62] = QStringLiteral("P001");
        const std::string text =
            "遺体番号,性別,検査日,最終更新日時,検死場所,口腔内写真枚数,エックス線写真枚数,x\r\n" +
            form.join(QLatin1Char(',')).toStdString() + "\r\n";
        const std::string csv = dir.file("pen.csv");
        writeBytes(csv, TextCodec::toCp932(text));

        ScriptedResponder prompts;
        const QString documents = QString::fromStdString(dir.path().string());
        OpenWindow w(path, documents);
        prompts.answer(MessageAnswer::Yes);
        prompts.choose(QString::fromStdString(csv));
        w.window.action(CCusporaDlg::CmdImportPenPM)->trigger();
        QVERIFY2(prompts.allAnswered(), qPrintable(prompts.texts().join("|")));
        QCOMPARE(prompts.choices.first().title, QStringLiteral("CSVファイルを選択"));
        QCOMPARE(prompts.choices.first().kind, Prompts::FileChoice::OpenExisting);
        QCOMPARE(prompts.texts().last(), QStringLiteral("インポートが終了しました。"));
        QCOMPARE(w.window.listModel(0)->rowCount(), 2);
        const int row = w.window.listModel(0)->rowOfHighestKey();
        QCOMPARE(w.window.listModel(0)->idText(row), QStringLiteral("P001-1"));
        QCOMPARE(w.window.listModel(0)->cellText(row, 2), QStringLiteral("4 "));
        QCOMPARE(w.window.listModel(0)->cellText(row, 3), QStringLiteral("6b"));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(dir.file("bck_Quendix.qdx"))));
        QVERIFY(QFileInfo::exists(documents + "/QuendixFree/CsvFileCtrl.csv"));
        QVERIFY(w.window.model().recordsChangedPM());

        // The imported form is not saved yet: leaving without saving drops it.
        prompts.answer(MessageAnswer::No);
        w.window.confirmExit();
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral("プログラムを終了します。") + kSaveQuestion);
        QCOMPARE(countOnDisk(path, "SELECT COUNT(*) FROM TB_AFTER"), 1);
    }

    void oesImportWithoutItsLogKeepsTheBackup() {
        TempDir dir;
        const std::string path = dir.file("o.qdx");
        writeEnteredProject(path, {{"A", "00001"}}, {});
        std::filesystem::create_directories(dir.path() / "oes");
        const QString documents = QString::fromStdString(dir.path().string());
        ScriptedResponder prompts;
        OpenWindow w(path, documents);

        // An empty folder imports nothing and ends normally.
        prompts.answer(MessageAnswer::Yes);
        prompts.choose(QString::fromStdString(dir.file("oes")));
        w.window.action(CCusporaDlg::CmdImportOesAM)->trigger();
        QVERIFY(prompts.allAnswered());
        QCOMPARE(prompts.choices.last().kind, Prompts::FileChoice::Folder);
        QCOMPARE(prompts.texts().last(), QStringLiteral("インポートが終了しました。"));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(dir.file("bck_Quendix.qdx"))));

        // A log that cannot be opened stops the import before any file; the backup stays.
        std::filesystem::remove(dir.path() / "QuendixFree" / "CsvFileCtrl.csv");
        std::filesystem::create_directories(dir.path() / "QuendixFree" / "CsvFileCtrl.csv");
        const int shown = static_cast<int>(prompts.messages.size());
        prompts.answer(MessageAnswer::Yes);
        prompts.choose(QString::fromStdString(dir.file("oes")));
        w.window.importOes(0);
        QCOMPARE(prompts.messages.size(), shown + 3);
        QVERIFY(prompts.texts().at(shown + 1).startsWith(
            QStringLiteral("CsvFileCtrlファイルのオープンに失敗しました。")));
        QCOMPARE(prompts.messages.at(shown + 2).icon, MessageIcon::Error);
        QVERIFY(QFileInfo::exists(QString::fromStdString(dir.file("bck_Quendix.qdx"))));
        QVERIFY(w.window.model().isOpen());
    }

    void importQuestionCancelKeepsTheChangedProject() {
        TempDir dir;
        const std::string path = dir.file("q.qdx");
        writeEnteredProject(path, {{"A", "00001"}, {"B", "00002"}}, {});
        const std::string csv = dir.file("pen.csv");
        writeBytes(csv, "x\r\n");
        ScriptedResponder prompts;
        OpenWindow w(path, QString::fromStdString(dir.path().string()));
        prompts.answer(MessageAnswer::Yes);
        w.window.deleteRecord(0);
        prompts.answer(MessageAnswer::Yes);
        prompts.choose(QString::fromStdString(csv));
        prompts.answer(MessageAnswer::Cancel);
        w.window.importPenCsv(1);
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral("データが変更されています。") + kSaveQuestion);
        QVERIFY(w.window.model().isOpen());
        QVERIFY(w.window.model().recordsChangedPM());
        QCOMPARE(w.window.listModel(0)->rowCount(), 1);
        QVERIFY(!QFileInfo::exists(QString::fromStdString(dir.file("bck_Quendix.qdx"))));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
