#include "support/Printouts.h"
#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "app/CCusporaApp.h"
#include "app/ScreenshotWindows.h"
#include "app/StartupOptions.h"
#include "io/ImportBackup.h"
#include "io/ImportMessages.h"
#include "io/ProjectExport.h"
#include "io/ProjectMerge.h"
#include "io/SearchResultFile.h"
#include "model/RecordId.h"
#include "store/ProjectOpen.h"
#include "store/StoreError.h"
#include "ui/chart/ChartPainter.h"
#include "ui/common/CMsgBoxDlg.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/ItemRoles.h"
#include "ui/entry/EntryWindow.h"
#include "ui/history/HistoryWindows.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/search/CIndividualSearchDlg.h"
#include "ui/search/SearchWindowOpeners.h"
#include "ui/settings/SettingsOpener.h"
#include "views/bridge/BridgeSearchView.h"
#include "views/entry/EntryChart.h"
#include "views/entry/EntryMessages.h"
#include "views/history/MatchHistoryEditor.h"
#include "views/history/MatchHistoryList.h"
#include "views/main/RecordChecks.h"
#include "views/search/FullSearchTable.h"
#include "views/search/IndividualSearchRows.h"
#include "views/search/SearchLabels.h"
#include "views/settings/SettingsFields.h"
#include "views/settings/SettingsGrid.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

#include <cstdlib>
#include <memory>

using namespace qdx;
using namespace qdx::test;

namespace {

bool hasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool kana = u >= 0x3000 && u <= 0x30ff;
        const bool kanji = u >= 0x4e00 && u <= 0x9fff;
        const bool fullWidth = u >= 0xff00 && u <= 0xffef;
        if (kana || kanji || fullWidth)
            return true;
    }
    return false;
}

QString describe(const QObject* object) {
    return QString::fromLatin1(object->metaObject()->className()) + QLatin1Char('/') +
           object->objectName();
}

// Every text a person reads in the window and its children, hidden ones included: titles,
// tooltips, labels, buttons, group titles, list items, line edits, menus and actions, and the
// headers and cells of item views. Multi-line text boxes hold project data and are left out, as
// are cells that show text the project stores as it was written (StoredTextRole).
QStringList windowTexts(QWidget* root) {
    QStringList texts;
    const auto add = [&texts](const QObject* where, const QString& text) {
        if (!text.isEmpty())
            texts << describe(where) + QStringLiteral(": ") + text;
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        add(w, w->windowTitle());
        add(w, w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w))
            add(w, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            add(w, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w))
            add(w, group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            add(w, edit->text());
        if (auto* menu = qobject_cast<QMenu*>(w))
            add(w, menu->title());
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                add(w, combo->itemText(i));
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model()) {
            const QAbstractItemModel& model = *view->model();
            for (int c = 0; c < model.columnCount(); ++c)
                add(w, model.headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < model.rowCount(); ++r) {
                for (int c = 0; c < model.columnCount(); ++c) {
                    if (model.data(model.index(r, c), StoredTextRole).toBool())
                        continue;
                    add(w, model.data(model.index(r, c)).toString());
                    add(w, model.data(model.index(r, c), Qt::ToolTipRole).toString());
                }
            }
        }
    }
    for (const QAction* action : root->findChildren<QAction*>()) {
        add(action, action->text());
        add(action, action->toolTip());
    }
    return texts;
}

QStringList japaneseTexts(QWidget* root) {
    QStringList found;
    for (const QString& text : windowTexts(root)) {
        if (hasJapanese(text))
            found << text;
    }
    return found;
}

// What a poppler tool prints about a PDF file ("pdfinfo", "pdftotext" with "-layout").
QString popplerOutput(const QString& tool, const QString& pdf) {
    QProcess process;
    QStringList arguments{pdf};
    if (tool == QStringLiteral("pdftotext"))
        arguments = QStringList{QStringLiteral("-layout"), pdf, QStringLiteral("-")};
    process.start(tool, arguments);
    if (!process.waitForStarted(5000) || !process.waitForFinished(60000))
        return QStringLiteral("(%1 of poppler-utils is needed)").arg(tool);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Prints the full and the individual search of the case into the folder; the two PDF files.
QStringList printSearches(const TempDir& dir, const std::string& project, const char* suffix) {
    ProjectModel model;
    openWithLists(model, project);
    ScriptedResponder answers;
    const QString full = QString::fromStdString(dir.file(std::string("full") + suffix + ".pdf"));
    const QString single = QString::fromStdString(dir.file(std::string("one") + suffix + ".pdf"));
    CFullSearchDlg search(model, {0, 2, 0, 0});
    search.show();
    answers.printTo(full);
    search.printTable();
    CIndividualSearchDlg individual(model, {0, 2, 0, 0}, QStringLiteral("A-10001"));
    individual.show();
    answers.printTo(single);
    individual.printList();
    keepPrintout(full, QStringLiteral("full-search-print") + QLatin1String(suffix) + ".pdf");
    keepPrintout(single,
                 QStringLiteral("individual-search-print") + QLatin1String(suffix) + ".pdf");
    return {full, single};
}

void installLanguage(Language language) {
    QVERIFY(DisplayLanguage::install(language, QStringLiteral(QDX_PICTURE_FOLDER),
                                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
}

// A project whose data are ASCII, with outcomes for the match windows and bridges for the
// bridge search: P-10001 is the same person as A-10001, P-10002 is under examination with
// A-10002, P-10003 another person than A-10003.
std::string writeCase(const TempDir& dir) {
    std::vector<EnteredRecord> pm;
    std::vector<EnteredRecord> am;
    for (int i = 1; i <= 6; ++i) {
        EnteredRecord record{"P", std::to_string(10000 + i), std::string(32, '1')};
        record.classes[i] = '4';
        record.bridges = std::string(3, '1') + std::string(29, '0');
        pm.push_back(record);
        record.upper = "A";
        am.push_back(record);
    }
    const std::string path = dir.file("case.qdx");
    writeEnteredProject(path, pm, am,
                        {matchRow(1, 1, "1"), matchRow(2, 2, "3"), matchRow(3, 3, "4")});
    return path;
}

// The main window as the program sets it up, on the project.
struct Program {
    CCusporaDlg window{true};

    explicit Program(const std::string& path) {
        plugInSearchWindows(window, [this](QWidget* parent, int side, const std::string& id) {
            return openMatchHistory(window, parent, side, std::atoll(id.c_str()));
        });
        plugInSettingsWindow(window);
        plugInHistoryWindows(window);
        plugInEntryWindow(window);
        window.startUp(QString::fromStdString(path));
        window.show();
    }
};

// Opens every window of the screenshot table on the program and hands it over; the main
// window comes first, as "main".
void forEachWindow(Program& program, const std::function<void(const QString&, QWidget&)>& look) {
    look(QStringLiteral("main"), program.window);
    for (const ScreenshotWindow& pictured : screenshotWindows()) {
        std::unique_ptr<QWidget> shown(pictured.open(program.window));
        if (!shown) {
            QFAIL(qPrintable(pictured.name + QStringLiteral(" did not open")));
        }
        shown->show();
        QTest::qWait(20);
        look(pictured.name, *shown);
    }
}

} // namespace

class LanguageWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { installLanguage(Language::Japanese); }

    // With --language=en no window shows a Japanese character: not in a title, label,
    // button, menu, list, header or tooltip, hidden controls included.
    void everyWindowSpeaksEnglish() {
        installLanguage(Language::English);
        TempDir dir;
        const std::string path = writeCase(dir);
        ScriptedResponder prompts;
        Program program(path);
        int windows = 0;
        forEachWindow(program, [&windows](const QString& name, QWidget& window) {
            // The class criteria window opens from the entry window, as its child.
            if (name == QStringLiteral("entry")) {
                child<QPushButton>(window, "rulerButton")->click();
                QVERIFY(window.findChild<QDialog*>(QStringLiteral("CRulerDlg")) != nullptr);
            }
            const QStringList left = japaneseTexts(&window);
            QVERIFY2(left.isEmpty(), qPrintable(name + QStringLiteral(":\n") + left.join('\n')));
            ++windows;
        });
        QCOMPARE(windows, static_cast<int>(screenshotWindows().size()) + 1);
        QCOMPARE(program.window.findChild<QMenu*>()->title(), QStringLiteral("&File"));
        QCOMPARE(child<QPushButton>(program.window, "fullSearchButton")->text(),
                 QStringLiteral("Full search"));
        QCOMPARE(program.window.listModel(0)->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("18"));
        QVERIFY(prompts.allAnswered());
    }

    // The texts the core decides reach the windows in English too: messages with their
    // detail, the composed questions, the label tables, the chart's tooth numbers, and Qt's
    // own buttons.
    void messagesAndLabelsSpeakEnglish() {
        installLanguage(Language::English);
        QCOMPARE(coreTr("データベースは使用中です。"), QStringLiteral("The database is in use."));
        QCOMPARE(coreMessageTr("インポートが異常終了しました。詳細はログで確認してください。\n/x/"
                               "CsvFileCtrl.csv"),
                 QStringLiteral("The import ended abnormally. See the log for details.\n"
                                "/x/CsvFileCtrl.csv"));
        QCOMPARE(failureText("データの読み込みに失敗しました。", "disk I/O error"),
                 QStringLiteral("Reading the data failed.\ndisk I/O error"));
        QCOMPARE(ChartPainter::labelText(0, false), QStringLiteral("8"));
        QCOMPARE(ChartPainter::labelText(8, true), QStringLiteral("A"));
        QVERIFY(!hasJapanese(ChartPainter::bridgeLegendText()));
        CMsgBoxDlg box(QStringLiteral("?"), MessageButtons::YesNoCancel, MessageIcon::Question);
        QStringList buttons;
        for (const QPushButton* b : box.findChildren<QPushButton*>())
            buttons << b->text();
        QVERIFY2(buttons.contains("Yes") && buttons.contains("No") && buttons.contains("Cancel"),
                 qPrintable(buttons.join(',')));
        QDialogButtonBox standard(QDialogButtonBox::Cancel);
        QCOMPARE(standard.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));

        TempDir dir;
        const std::string path = writeCase(dir);
        ScriptedResponder prompts;
        Program program(path);
        program.window.listView(0)->clearSelection();
        child<QPushButton>(program.window, "postMortemModifyButton")->click();
        child<QPushButton>(program.window, "markSheetButton")->click();
        child<QPushButton>(program.window, "receiptButton")->click();
        QCOMPARE(prompts.texts(),
                 (QStringList{QStringLiteral("No record to modify is selected.\nSelect a row and "
                                             "press Modify again."),
                              QStringLiteral("The file to import does not exist."),
                              QStringLiteral("Receipt-computer import is not available in this "
                                             "version.")}));
    }

    // Every message and label the core decides has its English text: a core text missing from
    // the translation file (or changed in the code only) would show in Japanese.
    void everyCoreTextHasItsEnglish() {
        installLanguage(Language::English);
        std::vector<std::string> texts;
        for (int id : {102, 103, 104, 105, 106, 107, 108, 110, 111, 112})
            texts.emplace_back(storeErrorMessage(id));
        for (int m = static_cast<int>(HistoryMessage::ChooseKind);
             m <= static_cast<int>(HistoryMessage::DiscardEdits); ++m)
            texts.emplace_back(historyMessageText(static_cast<HistoryMessage>(m)));
        for (SettingsMessage m :
             {SettingsMessage::NameLength, SettingsMessage::NotNumber, SettingsMessage::FactorRange,
              SettingsMessage::TooManyDecimals, SettingsMessage::CellRange})
            texts.emplace_back(settingsMessageText(m));
        for (std::string_view text : {kImportEndedMessage,
                                      kImportFailedMessage,
                                      kLogOpenFailedMessage,
                                      kImportNotRunMessage,
                                      kBackupFailedMessage,
                                      kBackupDeleteFailedMessage,
                                      kRestoreFailedMessage,
                                      kMergeQuestion,
                                      kMergeRenamedMessage,
                                      kFileOpenFailedMessage,
                                      kCsvOpenFailedMessage,
                                      kEmptyProjectNameMessage,
                                      std::string_view(kInvalidFileNameMessage),
                                      std::string_view(kBridgeNothingFoundMessage),
                                      entry_messages::kImportPrefixFound,
                                      entry_messages::kImportPrefixLeft,
                                      entry_messages::kNoPlace,
                                      entry_messages::kNoPartner,
                                      entry_messages::kDiscard,
                                      std::string_view(kDeletedMessage),
                                      kClassLegend,
                                      kClassLegendMarks,
                                      kDeciduousLegend})
            texts.emplace_back(text);
        for (const RowMark& mark : {RowMark{}, RowMark{"*"}, RowMark{""}}) {
            for (const auto& refusal : {modifyRefusal(mark), deleteRefusal(mark),
                                        historyRefusal(mark), compareRefusal(mark)}) {
                if (refusal)
                    texts.push_back(*refusal);
            }
        }
        const auto idError = [&texts](const std::string& upper, const std::string& lower) {
            const IdCheck check =
                checkRecordId(upper, lower, [](const std::string&) { return true; });
            QVERIFY(check.error.has_value());
            texts.push_back(*check.error);
        };
        for (const auto& [upper, lower] : std::vector<std::pair<std::string, std::string>>{
                 {"", "1"}, {"A-B", "1"}, {"A", ""}, {"A", "x"}, {"A", "123456"}, {"A", "1"}})
            idError(upper, lower);
        for (int i = 0; i < 6; ++i) {
            texts.emplace_back(classDescription(i + 1));
            texts.emplace_back(gridClassLabel(i + 1));
            texts.emplace_back(kBulkButtons[static_cast<std::size_t>(i)].caption);
        }
        for (int i = 0; i < 5; ++i)
            texts.emplace_back(resultCountHeadings()[static_cast<std::size_t>(i)]);
        for (int i = 0; i < 2; ++i) {
            texts.emplace_back(sideLabel(i));
            texts.emplace_back(directionLabel(i));
            texts.emplace_back(bridgeRankLabel(i));
            texts.emplace_back(historySideLabel(i));
            texts.emplace_back(historyHeaderText(2, i));
        }
        for (int i = 0; i < 3; ++i)
            texts.emplace_back(bridgeSideLabel(i));
        for (int i = 0; i < 4; ++i)
            texts.emplace_back(kindChoiceText(static_cast<KindChoice>(i)));
        for (SettingsGrid grid : {SettingsGrid::AmToPm5, SettingsGrid::PmToAm5}) {
            texts.emplace_back(gridTitle(grid));
            texts.emplace_back(gridColumnHeading(grid));
        }
        texts.push_back(fullSearchHeaderText(3));
        texts.push_back(historyHeaderText(1, 0));
        for (const std::string& text : texts) {
            if (!text.empty())
                QVERIFY2(!hasJapanese(coreTr(text)), text.c_str());
        }
        QCOMPARE(coreTr(kDeletedMessage), QStringLiteral("Deleted."));
    }

    // Without the option the windows read as they always have.
    void japaneseStaysAsItWas() {
        installLanguage(Language::Japanese);
        TempDir dir;
        const std::string path = writeCase(dir);
        ScriptedResponder prompts;
        Program program(path);
        QStringList seen;
        forEachWindow(program, [&seen](const QString&, QWidget& window) {
            seen << window.windowTitle();
            seen << windowTexts(&window);
        });
        for (const char* expected : {"全検索 - Quendix Free", "個別検索 - Quendix Free",
                                     "ブリッジ指定検索 - Quendix Free", "環境設定 - Quendix Free",
                                     "照合履歴設定 - Quendix Free", "判明データ比較 - Quendix Free",
                                     "[死後]修正 - Quendix Free", "QRコード - Quendix Free"})
            QVERIFY2(seen.contains(QString::fromUtf8(expected)), expected);
        const QString all = seen.join('\n');
        for (const char* expected :
             {": ファイル(&F)", ": 全検索\n", ": TOP 3 を表示\n", ": 右上8\n", ": 生前→死後\n",
              ": スコアの重みづけ（生前→死後）\n", ": 同一人物 (デンタルチャート)\n",
              ": 1:健全歯 2:金属による部分修復 3:全部修復 4:C4,欠損 5:情報なし 6:歯あり\n",
              ": ID ：\n", ": 検索対象外を非表示\n", ": 全件数  6件\n", ": 不明\n"})
            QVERIFY2(all.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(!all.contains(QStringLiteral("Full search")));
        CMsgBoxDlg box(QStringLiteral("?"), MessageButtons::YesNo, MessageIcon::Question);
        QStringList buttons;
        for (const QPushButton* b : box.findChildren<QPushButton*>())
            buttons << b->text();
        QVERIFY2(buttons.contains(QStringLiteral("はい")), qPrintable(buttons.join(',')));
    }

    // The English printouts: landscape legal paper, the English words and date, and in the
    // individual printout the tooth numbers "18" .. "48"; the Japanese ones stay on A4.
    void printoutsInEnglishOnLegalPaper() {
        TempDir dir;
        const std::string project = writeCase(dir);
        installLanguage(Language::English);
        const QStringList english = printSearches(dir, project, "-en");
        installLanguage(Language::Japanese);
        const QStringList japanese = printSearches(dir, project, "-ja");
        for (const QString& pdf : english) {
            QVERIFY2(popplerOutput(QStringLiteral("pdfinfo"), pdf).contains("1008 x 612 pts"),
                     qPrintable(popplerOutput(QStringLiteral("pdfinfo"), pdf)));
            const QString text = popplerOutput(QStringLiteral("pdftotext"), pdf);
            QVERIFY2(!hasJapanese(text), qPrintable(text));
            QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Search: +AM → PM"))),
                     qPrintable(text));
            // Numbers only, so the system's language cannot creep into the date.
            QVERIFY2(text.contains(QRegularExpression(
                         QStringLiteral("Created: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d"))),
                     qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("A-10001")), qPrintable(text));
        }
        QVERIFY(popplerOutput(QStringLiteral("pdftotext"), english[0]).contains("Full search"));
        const QString numbers = popplerOutput(QStringLiteral("pdftotext"), english[1]);
        QVERIFY2(numbers.contains(QRegularExpression(QStringLiteral("18 +17 +16 +15"))),
                 qPrintable(numbers));
        QVERIFY2(numbers.contains(QRegularExpression(QStringLiteral("45 +46 +47 +48"))),
                 qPrintable(numbers));
        for (const QString& pdf : japanese) {
            QVERIFY(popplerOutput(QStringLiteral("pdfinfo"), pdf).contains("842 x 595 pts"));
            QVERIFY(popplerOutput(QStringLiteral("pdftotext"), pdf)
                        .contains(QStringLiteral("作成日：")));
        }
    }

    // "--language=ja|en" picks the language of the run; any other is refused before a window
    // opens.
    void theCommandLineChoosesTheLanguage() {
        StartupOptions options =
            StartupOptions::parse({QStringLiteral("--language=en"), QStringLiteral("x.qdx")});
        QCOMPARE(options.language, QStringLiteral("en"));
        QCOMPARE(options.projectPath, QStringLiteral("x.qdx"));
        QCOMPARE(StartupOptions::parse({QStringLiteral("x.qdx")}).language, QStringLiteral("ja"));
        options.language = QStringLiteral("de");
        QCOMPARE(CCusporaApp().run(options), 2);
        Language language = Language::Japanese;
        QVERIFY(DisplayLanguage::fromCode(QStringLiteral("en"), language));
        QCOMPARE(language, Language::English);
        QVERIFY(!DisplayLanguage::fromCode(QStringLiteral("EN"), language));
        QVERIFY(StartupOptions::informationText({QStringLiteral("--help")})
                    .contains(QStringLiteral("--language=LANG")));
    }
};

QTEST_MAIN(LanguageWindowsTest)
#include "LanguageWindowsTest.moc"
