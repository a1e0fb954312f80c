#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "ui/chart/ChartGeometry.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/CColorButton.h"
#include "ui/entry/CCusporaEntryDlg.h"
#include "ui/entry/CRulerDlg.h"
#include "ui/entry/EntryWindow.h"
#include "ui/history/CMarchStatusDlg.h"
#include "ui/history/CMatchSortListCtrl.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace qdx;
using namespace qdx::test;

namespace {

const QString kDiscard = QStringLiteral("データを保存しません。よろしいですか？");
const QString kNoPlace = QStringLiteral("場所が指定されていません。保存してよろしいですか？");

QPoint toothCentre(int position) {
    const chart::ToothRect r = chart::toothRects()[static_cast<std::size_t>(position)];
    return {(r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2};
}

QPoint labelCentre(int position) {
    const chart::Box b = chart::labelBox(position);
    return {b.left + b.width / 2, b.top + b.height / 2};
}

QPoint markCentre(int position) {
    const chart::Point p = chart::bridgeMarkCentres()[static_cast<std::size_t>(position)];
    return {p.x, p.y};
}

// A project open in a model, with PM T01-00001 (place 気仙沼) and IMPORTT02-00002 whose ID a
// project import changed, and AM D1-00001.
struct OpenProject {
    OpenProject() {
        writeEnteredProject(path, {{"T01", "00001"}, {"IMPORTT02", "00002"}}, {{"D1", "00001"}});
        sqlite3Exec("UPDATE TB_AFTER SET place='気仙沼' WHERE Dental_ID=1;"
                    "UPDATE TB_AFTER SET valid='2' WHERE Dental_ID=2;");
        openProjectFile(model, splitProjectPath(path));
        model.setPictureFolder(QDX_BINARY_DIR "/src/ui/");
    }
    ~OpenProject() { model.close(false); }
    void sqlite3Exec(const char* sql) {
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    TempDir dir;
    std::string path = dir.file("entry.qdx");
    ProjectModel model;
};

ChartWidget* chartOf(QWidget& dialog) {
    return dialog.findChild<ChartWidget*>();
}

int classAt(const CCusporaEntryDlg& dialog, int position) {
    return dialog.form().chart.effectiveClass(position);
}

} // namespace

class EntryDialogTest : public QObject {
    Q_OBJECT
private slots:
    void aNewRecordOpensEmpty();
    void clicksWalkTheToothStates();
    void labelsAndMarksToggleTheirFlags();
    void theRightButtonAndEscOutsideTheChartDoNothing();
    void saveChecksTheIdAndAsksForAPlace();
    void cancelAsksFirst();
    void anImportedIdMustBeCorrected();
    void theCriteriaWindowFollowsTheDialog();
    void theHistoryChangesTheMatchState();
};

void EntryDialogTest::aNewRecordOpensEmpty() {
    OpenProject p;
    ScriptedResponder prompts;
    CCusporaEntryDlg dialog(p.model, PostMortem, CCusporaEntryDlg::Mode::New, 0);
    QVERIFY(dialog.load());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("[死後]新規登録 - Quendix Free"));
    for (int i = 0; i < 32; ++i)
        QCOMPARE(classAt(dialog, i), 5);
    QVERIFY(child<QRadioButton>(dialog, "sexUnknownRadio")->isChecked());
    QCOMPARE(child<QComboBox>(dialog, "ageCombo")->currentText(), QStringLiteral("不明"));
    QCOMPARE(child<QComboBox>(dialog, "ageCombo")->count(), 12);
    QCOMPARE(child<QLabel>(dialog, "keyLabel")->text(), QString());
    QVERIFY(child<QLabel>(dialog, "dateLabel")->text().startsWith(QStringLiteral("登録日   ")));
    QCOMPARE(child<QLabel>(dialog, "matchStateLabel")->text(), QStringLiteral("判明していない"));
    QVERIFY(!child<QPushButton>(dialog, "historyButton")->isEnabled());
    QVERIFY(!child<QLineEdit>(dialog, "nameEdit")->isEnabled());
    QVERIFY(child<QComboBox>(dialog, "placeCombo")->isEnabled());
    QCOMPARE(child<QComboBox>(dialog, "placeCombo")->count(), 1);
    // The upper list offers the side's upper parts, in order.
    auto* upper = child<QComboBox>(dialog, "idUpperCombo");
    QCOMPARE(upper->count(), 2);
    QCOMPARE(upper->itemText(0), QStringLiteral("IMPORTT02"));
    QVERIFY(upper->isEnabled());
    QVERIFY(!child<QLineEdit>(dialog, "idLowerEdit")->testAttribute(Qt::WA_InputMethodEnabled));
    QCOMPARE(child<CColorButton>(dialog, "saveButton")->faceColor(), CColorButton::confirmFace());
    QCOMPARE(child<CColorButton>(dialog, "cancelButton")->faceColor(), CColorButton::cancelFace());
    QVERIFY(!chartOf(dialog)->chart().isNull());

    CCusporaEntryDlg am(p.model, AnteMortem, CCusporaEntryDlg::Mode::Modify, 1);
    QVERIFY(am.load());
    QCOMPARE(am.windowTitle(), QStringLiteral("[生前]修正 - Quendix Free"));
    QCOMPARE(child<QLabel>(am, "keyLabel")->text(), QStringLiteral("No.  00001"));
    QCOMPARE(child<QComboBox>(am, "idUpperCombo")->currentText(), QStringLiteral("D1"));
    QCOMPARE(child<QLineEdit>(am, "idLowerEdit")->text(), QStringLiteral("00001"));
    QVERIFY(!child<QComboBox>(am, "idUpperCombo")->isEnabled());
    QVERIFY(!child<QComboBox>(am, "placeCombo")->isEnabled());
    QVERIFY(child<QLineEdit>(am, "nameEdit")->isEnabled());
    QVERIFY(prompts.messages.isEmpty());
}

void EntryDialogTest::clicksWalkTheToothStates() {
    OpenProject p;
    ScriptedResponder prompts;
    CCusporaEntryDlg dialog(p.model, PostMortem, CCusporaEntryDlg::Mode::New, 0);
    QVERIFY(dialog.load());
    dialog.show();
    ChartWidget* chart = chartOf(dialog);
    const QImage before = chart->chart();
    QString seen;
    for (int click = 0; click < 6; ++click) {
        QTest::mouseClick(chart, Qt::LeftButton, {}, toothCentre(12));
        seen += QString::number(classAt(dialog, 12));
    }
    QCOMPARE(seen, QStringLiteral("612345"));
    QCOMPARE(dialog.lastHitTooth(), 12);
    // A double click is a click and then the double-click press, which counts as one more.
    QTest::mouseClick(chart, Qt::LeftButton, {}, toothCentre(20));
    QTest::mouseDClick(chart, Qt::LeftButton, {}, toothCentre(20));
    QCOMPARE(classAt(dialog, 20), 1);
    QVERIFY(chart->chart() != before);

    seen.clear();
    for (int click = 0; click < 5; ++click) {
        QTest::mouseClick(chart, Qt::RightButton, {}, toothCentre(20));
        seen += QString::number(classAt(dialog, 20));
    }
    QCOMPARE(seen, QStringLiteral("65432"));
    // A click beside every tooth forgets the last hit.
    QTest::mouseClick(chart, Qt::LeftButton, {}, QPoint(240, 279));
    QCOMPARE(dialog.lastHitTooth(), -1);
    QVERIFY(prompts.messages.isEmpty());
}

void EntryDialogTest::labelsAndMarksToggleTheirFlags() {
    OpenProject p;
    ScriptedResponder prompts;
    CCusporaEntryDlg dialog(p.model, PostMortem, CCusporaEntryDlg::Mode::New, 0);
    QVERIFY(dialog.load());
    dialog.show();
    ChartWidget* chart = chartOf(dialog);
    // Position 5 is upper right 3: its label toggles the deciduous mark.
    QTest::mouseClick(chart, Qt::LeftButton, {}, labelCentre(5));
    QCOMPARE(dialog.form().chart.deciduousFlag[5], 1);
    QTest::mouseClick(chart, Qt::LeftButton, {}, labelCentre(5));
    QCOMPARE(dialog.form().chart.deciduousFlag[5], 0);
    // Labels of teeth 6 to 8 do nothing.
    for (int position : {0, 1, 2, 13, 14, 15, 16, 17, 18, 29, 30, 31}) {
        QTest::mouseClick(chart, Qt::LeftButton, {}, labelCentre(position));
        QCOMPARE(dialog.form().chart.deciduousFlag[static_cast<std::size_t>(position)], 0);
    }
    QTest::mouseClick(chart, Qt::LeftButton, {}, markCentre(8));
    QCOMPARE(dialog.form().chart.bridgeFlag[8], 1);
    // The right button never touches the marks.
    QTest::mouseClick(chart, Qt::RightButton, {}, markCentre(8));
    QCOMPARE(dialog.form().chart.bridgeFlag[8], 1);
    // Bulk buttons keep the marks.
    QTest::mouseClick(chart, Qt::LeftButton, {}, labelCentre(20));
    QTest::mouseClick(child<QPushButton>(dialog, "allMissingButton"), Qt::LeftButton);
    QCOMPARE(classAt(dialog, 0), 4);
    QCOMPARE(dialog.form().chart.bridgeFlag[8], 1);
    QCOMPARE(dialog.form().chart.deciduousFlag[20], 1);
    QTest::mouseClick(child<QPushButton>(dialog, "upperMissingButton"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(dialog, "allPresentButton"), Qt::LeftButton);
    QCOMPARE(classAt(dialog, 31), 6);
    QTest::mouseClick(child<QPushButton>(dialog, "lowerMissingButton"), Qt::LeftButton);
    QCOMPARE(classAt(dialog, 15), 6);
    QCOMPARE(classAt(dialog, 16), 4);
}

void EntryDialogTest::theRightButtonAndEscOutsideTheChartDoNothing() {
    OpenProject p;
    ScriptedResponder prompts;
    CCusporaEntryDlg dialog(p.model, PostMortem, CCusporaEntryDlg::Mode::New, 0);
    QVERIFY(dialog.load());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* summary = child<QPlainTextEdit>(dialog, "summaryEdit");
    QTest::mouseClick(summary->viewport(), Qt::RightButton);
    QTest::mouseClick(child<QPushButton>(dialog, "allSoundButton"), Qt::RightButton);
    QCOMPARE(classAt(dialog, 0), 5);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    // Enter in the summary breaks the line; on a button it runs the button.
    summary->setFocus();
    QTest::keyClicks(summary, QStringLiteral("a"));
    QTest::keyClick(summary, Qt::Key_Return);
    QTest::keyClicks(summary, QStringLiteral("b"));
    QCOMPARE(summary->toPlainText(), QStringLiteral("a\nb"));
    auto* sound = child<QPushButton>(dialog, "allSoundButton");
    sound->setFocus();
    QTest::keyClick(sound, Qt::Key_Return);
    QCOMPARE(classAt(dialog, 0), 1);
    auto* name = child<QLineEdit>(dialog, "idLowerEdit");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QVERIFY(prompts.messages.isEmpty());
}

void EntryDialogTest::saveChecksTheIdAndAsksForAPlace() {
    OpenProject p;
    ScriptedResponder prompts;
    CCusporaEntryDlg dialog(p.model, PostMortem, CCusporaEntryDlg::Mode::New, 0);
    QVERIFY(dialog.load());
    dialog.show();
    auto* upper = child<QComboBox>(dialog, "idUpperCombo");
    auto* lower = child<QLineEdit>(dialog, "idLowerEdit");
    auto* save = child<QPushButton>(dialog, "saveButton");
    upper->setEditText(QStringLiteral("A-1"));
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(prompts.texts().last(), QStringLiteral("ID上位部に\"-\"(ハイフン)は指定できません。"));
    QCOMPARE(prompts.messages.last().icon, MessageIcon::Exclamation);
    upper->setEditText(QStringLiteral("T01"));
    lower->setText(QStringLiteral("１２"));
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(prompts.texts().last(), QStringLiteral("ID下位部に数字以外が指定されています。"));
    QCOMPARE(lower->selectedText(), QStringLiteral("１２"));
    lower->setText(QStringLiteral("1"));
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(prompts.texts().last(), QStringLiteral("IDはすでに登録されています。"));
    QVERIFY(dialog.isVisible());

    lower->setText(QStringLiteral("12"));
    child<QRadioButton>(dialog, "sexFemaleRadio")->setChecked(true);
    child<QComboBox>(dialog, "ageCombo")->setCurrentIndex(11);
    QTest::mouseClick(chartOf(dialog), Qt::LeftButton, {}, toothCentre(0));
    prompts.answer(MessageAnswer::No);
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(prompts.texts().last(), kNoPlace);
    QVERIFY(dialog.isVisible());
    prompts.answer(MessageAnswer::Yes);
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const RecordEntry& entry = p.model.entry();
    QCOMPARE(entry.upperIdPart, std::string("T01"));
    QCOMPARE(entry.lowerIdPart, std::string("00012"));
    QCOMPARE(entry.classes[0], 5);
    QCOMPARE(entry.present[0], 1);
    QCOMPARE(entry.sex, 2);
    QCOMPARE(entry.agegroup, 11);
    QCOMPARE(entry.isUpdate, false);
    QCOMPARE(entry.side, int(PostMortem));
    QVERIFY(prompts.allAnswered());
}

void EntryDialogTest::cancelAsksFirst() {
    OpenProject p;
    ScriptedResponder prompts;
    p.model.entry().upperIdPart = "untouched";
    CCusporaEntryDlg dialog(p.model, AnteMortem, CCusporaEntryDlg::Mode::Modify, 1);
    QVERIFY(dialog.load());
    dialog.show();
    prompts.answer(MessageAnswer::No);
    QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
    QCOMPARE(prompts.texts(), QStringList{kDiscard});
    QVERIFY(dialog.isVisible());
    prompts.answer(MessageAnswer::Yes);
    dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(p.model.entry().upperIdPart, std::string("untouched"));
    QVERIFY(prompts.allAnswered());
}

void EntryDialogTest::anImportedIdMustBeCorrected() {
    OpenProject p;
    ScriptedResponder prompts;
    CCusporaEntryDlg dialog(p.model, PostMortem, CCusporaEntryDlg::Mode::Modify, 2);
    QVERIFY(dialog.load());
    dialog.show();
    auto* upper = child<QComboBox>(dialog, "idUpperCombo");
    QVERIFY(!upper->isEnabled());
    QTRY_COMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.texts().first(),
             QStringLiteral("インポート時IDが重複したので、ID上位部の先頭に"
                            "「IMPORT」が追加されています。修正してください。"));
    QVERIFY(upper->isEnabled());
    QVERIFY(child<QLineEdit>(dialog, "idLowerEdit")->isEnabled());
    auto* save = child<QPushButton>(dialog, "saveButton");
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(prompts.texts().last(),
             QStringLiteral("インポート時ID上位部の先頭に追加された"
                            "「IMPORT」が残っています。修正してください。"));
    upper->setEditText(QStringLiteral("T02"));
    prompts.answer(MessageAnswer::Yes); // no place
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(p.model.entry().upperIdPart, std::string("T02"));
    QCOMPARE(p.model.entry().lowerIdPart, std::string("00002"));
    QCOMPARE(p.model.entry().isUpdate, true);
    QCOMPARE(p.model.entry().dentalId, 2LL);
}

void EntryDialogTest::theCriteriaWindowFollowsTheDialog() {
    OpenProject p;
    ScriptedResponder prompts;
    QPointer<CRulerDlg> ruler;
    {
        CCusporaEntryDlg dialog(p.model, AnteMortem, CCusporaEntryDlg::Mode::New, 0);
        QVERIFY(dialog.load());
        dialog.show();
        QVERIFY(dialog.rulerDialog() == nullptr);
        auto* button = child<QPushButton>(dialog, "rulerButton");
        QTest::mouseClick(button, Qt::LeftButton);
        ruler = dialog.rulerDialog();
        QVERIFY(ruler);
        QVERIFY(ruler->isVisible());
        QVERIFY(ruler->text(0).startsWith(QStringLiteral("健全歯、齲蝕歯")));
        p.model.settings().rulers[0] = "新しい基準";
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(ruler->text(0), QStringLiteral("新しい基準"));
        QTest::mouseClick(child<QPushButton>(*ruler, "closeButton"), Qt::LeftButton);
        QVERIFY(!ruler->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(ruler->isVisible());
        QCOMPARE(dialog.rulerDialog(), ruler.data());
    }
    QVERIFY(ruler.isNull());
}

void EntryDialogTest::theHistoryChangesTheMatchState() {
    TempDir dir;
    const std::string path = dir.file("history.qdx");
    writeEnteredProject(path, {{"T01", "00001"}}, {{"D1", "00001"}}, {matchRow(1, 1, "3")});
    ProjectModel model;
    openProjectFile(model, splitProjectPath(path));
    ScriptedResponder prompts;
    {
        CCusporaEntryDlg dialog(model, PostMortem, CCusporaEntryDlg::Mode::Modify, 1);
        dialog.setHistoryOpener(entryHistoryOpener());
        QVERIFY(dialog.load());
        dialog.show();
        QCOMPARE(child<QLabel>(dialog, "matchStateLabel")->text(), QStringLiteral("鑑定中"));
        QCOMPARE(model.entryMatches().size(), std::size_t(1));
        QTest::mouseClick(child<QPushButton>(dialog, "rulerButton"), Qt::LeftButton);
        bool rulerDisabled = false;
        prompts.answer(MessageAnswer::Yes); // delete the entry
        QTimer::singleShot(0, &dialog, [&] {
            auto* history = qobject_cast<CMarchStatusDlg*>(QApplication::activeModalWidget());
            QVERIFY(history);
            QCOMPARE(history->mode(), CMarchStatusDlg::Mode::Entry);
            rulerDisabled = !dialog.rulerDialog()->isEnabled();
            history->findChild<CMatchSortListCtrl*>()->selectListRow(0);
            history->deleteSelected();
            history->closeAsking();
        });
        QTest::mouseClick(child<QPushButton>(dialog, "historyButton"), Qt::LeftButton);
        QVERIFY(rulerDisabled);
        QVERIFY(dialog.rulerDialog()->isEnabled());
        QCOMPARE(child<QLabel>(dialog, "matchStateLabel")->text(),
                 QStringLiteral("判明していない"));
        QCOMPARE(child<QLabel>(dialog, "partnerIdLabel")->text(), QString());
        QCOMPARE(model.entryMatches().front().editState, int(MatchRow::Deleted));
    }
    // Nothing is stored until the main window stores the entry.
    QCOMPARE(model.getMatchHistory(PostMortem, 1).size(), std::size_t(1));
    model.close(false);
}

QTEST_MAIN(EntryDialogTest)
#include "EntryDialogTest.moc"
