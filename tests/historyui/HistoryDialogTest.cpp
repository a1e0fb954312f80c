#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "store/StoreError.h"
#include "ui/common/CColorButton.h"
#include "ui/history/CMarchStatusDlg.h"
#include "ui/history/CMatchDiffDlg.h"
#include "ui/history/CMatchSortListCtrl.h"

#include <sqlite3.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace qdx;
using namespace qdx::test;

namespace {

const QString k166 =
    QStringLiteral("同一人物の情報は１件のみ登録可能です。\n既に同一人物となっている"
                   "情報の照合種別を変更してから登録してください");
const QString k431 =
    QStringLiteral("照合履歴一覧に同一人物が設定されている場合、判明済みをOFFにでき"
                   "ません。\nOFFにしたい場合同一人物を削除してください。");

// Post-mortem P-00001 (key 1) and P-00002 (2); ante-mortem A-00001..A-00003 (1..3) and
// B-00001 (4). P-00002 is the same person as A-00002 and under examination with A-00003.
struct Project {
    Project() {
        path = dir.file("h.qdx");
        writeEnteredProject(path, {{"P", "00001"}, {"P", "00002"}},
                            {{"A", "00001"}, {"A", "00002"}, {"A", "00003"}, {"B", "00001"}},
                            {matchRow(2, 2, "1"), matchRow(2, 3, "3"), matchRow(1, 1, "4")});
        openProjectFile(model, splitProjectPath(path));
    }
    std::vector<std::string> rows() const {
        std::vector<std::string> texts;
        for (const MatchRow& row : model.getResolvedMatches())
            texts.push_back(row.ID_AFTER + "|" + row.ID_BEFOR + "|" + row.KIND.storedText());
        return texts;
    }
    TempDir dir;
    std::string path;
    ProjectModel model;
};

void runSql(const ProjectModel& model, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(model.database().connection(), sql, nullptr, nullptr, &error) != SQLITE_OK)
        qFatal("%s: %s", sql, error ? error : "");
}

QStringList listTexts(CMarchStatusDlg& dialog) {
    QStringList texts;
    auto* list = child<CMatchSortListCtrl>(dialog, "historyList");
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->model()->index(row, 1).data().toString() + "|" +
                     list->model()->index(row, 2).data().toString();
    return texts;
}

// Chooses a kind and a target as a person would with the combo boxes.
void choose(CMarchStatusDlg& dialog, int kind, const QString& upper, const QString& lower,
            bool otherInformation = false) {
    child<QComboBox>(dialog, "kindCombo")->setCurrentIndex(kind);
    if (otherInformation)
        child<QRadioButton>(dialog, "otherRadio")->setChecked(true);
    else
        child<QRadioButton>(dialog, "chartRadio")->setChecked(true);
    auto* upperCombo = child<QComboBox>(dialog, "targetUpperCombo");
    upperCombo->setCurrentIndex(upperCombo->findText(upper));
    auto* lowerCombo = child<QComboBox>(dialog, "targetLowerCombo");
    lowerCombo->setCurrentIndex(lowerCombo->findText(lower));
}

void click(CMarchStatusDlg& dialog, const char* button) {
    QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
}

void clickListRow(CMarchStatusDlg& dialog, int row) {
    auto* list = child<CMatchSortListCtrl>(dialog, "historyList");
    const QModelIndex index = list->model()->index(row, 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

enum Kind { Blank = 0, SamePerson = 1, Imposter = 2, Examining = 3 };

} // namespace

class HistoryDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheRecordAndItsTargets() {
        Project p;
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 2, CMarchStatusDlg::Mode::Standalone);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("照合履歴設定 - Quendix Free"));
        QCOMPARE(child<QLabel>(dialog, "sideLabel")->text(), QStringLiteral("死後ID："));
        QCOMPARE(child<QLabel>(dialog, "idLabel")->text(), QStringLiteral("P-00002"));
        QCOMPARE(listTexts(dialog),
                 (QStringList{QStringLiteral("同一人物 (デンタルチャート)|A-00002"),
                              QStringLiteral("鑑定中|A-00003")}));
        QVERIFY(child<QCheckBox>(dialog, "identifiedCheck")->isChecked());
        QVERIFY(child<QPushButton>(dialog, "deleteButton")->isEnabled());
        QVERIFY(!child<QRadioButton>(dialog, "chartRadio")->isEnabled());
        QVERIFY(child<QRadioButton>(dialog, "chartRadio")->isChecked());
        auto* table = child<CMatchSortListCtrl>(dialog, "historyList");
        QCOMPARE(table->model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("生前ID"));
        QVERIFY(table->columnWidth(1) >= 180);
        QVERIFY(table->columnWidth(2) >= 270);
        QVERIFY(table->isColumnHidden(6));
        QAbstractItemModelTester tester(table->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);

        // The targets are the other side's records: upper parts, then the lower parts of one.
        auto* upper = child<QComboBox>(dialog, "targetUpperCombo");
        QCOMPARE(upper->count(), 3);
        QCOMPARE(upper->itemText(0), QString());
        QCOMPARE(upper->itemText(2), QStringLiteral("B"));
        auto* lower = child<QComboBox>(dialog, "targetLowerCombo");
        QCOMPARE(lower->count(), 0);
        upper->setCurrentIndex(1);
        QCOMPARE(lower->count(), 4);
        QCOMPARE(lower->itemText(3), QStringLiteral("00003"));
        // 同一人物 enables the two radio buttons, another kind disables them.
        child<QComboBox>(dialog, "kindCombo")->setCurrentIndex(SamePerson);
        QVERIFY(child<QRadioButton>(dialog, "otherRadio")->isEnabled());
        child<QComboBox>(dialog, "kindCombo")->setCurrentIndex(Examining);
        QVERIFY(!child<QRadioButton>(dialog, "otherRadio")->isEnabled());

        // A click on a row shows it in the controls.
        clickListRow(dialog, 0);
        QCOMPARE(child<QComboBox>(dialog, "kindCombo")->currentText(), QStringLiteral("同一人物"));
        QVERIFY(child<QRadioButton>(dialog, "chartRadio")->isChecked());
        QCOMPARE(upper->currentText(), QStringLiteral("A"));
        QCOMPARE(lower->currentText(), QStringLiteral("00002"));

        // An ante-mortem record names its partners by post-mortem ID.
        CMarchStatusDlg am(p.model, AnteMortem, 4, CMarchStatusDlg::Mode::Standalone);
        QCOMPARE(child<QLabel>(am, "sideLabel")->text(), QStringLiteral("生前ID："));
        QVERIFY(listTexts(am).isEmpty());
        QVERIFY(!child<QCheckBox>(am, "identifiedCheck")->isChecked());
        QVERIFY(!child<QPushButton>(am, "deleteButton")->isEnabled());
        QCOMPARE(child<CMatchSortListCtrl>(am, "historyList")
                     ->model()
                     ->headerData(2, Qt::Horizontal)
                     .toString(),
                 QStringLiteral("死後ID"));
        QVERIFY(prompts.allAnswered());
    }

    void registerChangeDeleteAndSave() {
        Project p;
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 1, CMarchStatusDlg::Mode::Standalone);
        dialog.show();
        QCOMPARE(listTexts(dialog), QStringList{QStringLiteral("他人|A-00001")});

        // Nothing chosen, then no target.
        click(dialog, "registerButton");
        QCOMPARE(prompts.texts().last(), QStringLiteral("照合種別を選択してください。"));
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Exclamation);
        QCOMPARE(dialog.focusWidget(), child<QWidget>(dialog, "kindCombo"));
        choose(dialog, Examining, QStringLiteral("A"), QString());
        click(dialog, "registerButton");
        QCOMPARE(prompts.texts().last(), QStringLiteral("対象IDを指定してください。"));

        // Register, then change the same target: one entry.
        choose(dialog, Examining, QStringLiteral("B"), QStringLiteral("00001"));
        click(dialog, "registerButton");
        choose(dialog, Imposter, QStringLiteral("B"), QStringLiteral("00001"));
        click(dialog, "registerButton");
        QCOMPARE(listTexts(dialog),
                 (QStringList{QStringLiteral("他人|A-00001"), QStringLiteral("他人|B-00001")}));
        QCOMPARE(child<CMatchSortListCtrl>(dialog, "historyList")->selectedRow(), 1);
        QVERIFY(!child<QCheckBox>(dialog, "identifiedCheck")->isChecked());

        // The same person, by other information; a second one is refused with 166.
        choose(dialog, SamePerson, QStringLiteral("A"), QStringLiteral("00003"), true);
        click(dialog, "registerButton");
        QVERIFY(child<QCheckBox>(dialog, "identifiedCheck")->isChecked());
        choose(dialog, SamePerson, QStringLiteral("A"), QStringLiteral("00002"));
        click(dialog, "registerButton");
        QCOMPARE(prompts.texts().last(), k166);
        QCOMPARE(listTexts(dialog).size(), 3);

        // 判明済み cannot go off while a same-person entry is listed.
        QTest::mouseClick(child<QCheckBox>(dialog, "identifiedCheck"), Qt::LeftButton);
        QCOMPARE(prompts.texts().last(), k431);
        QVERIFY(child<QCheckBox>(dialog, "identifiedCheck")->isChecked());

        // 削除 without a row, then with the first row after the question.
        child<CMatchSortListCtrl>(dialog, "historyList")->clearSelection();
        click(dialog, "deleteButton");
        QCOMPARE(prompts.texts().last(), QStringLiteral("削除対象が選択されていません。\n再度、行を"
                                                        "選択し削除ボタンを押下してください。"));
        clickListRow(dialog, 0);
        prompts.answer(MessageAnswer::No);
        click(dialog, "deleteButton");
        QCOMPARE(listTexts(dialog).size(), 3);
        prompts.answer(MessageAnswer::Yes);
        click(dialog, "deleteButton");
        QCOMPARE(prompts.texts().mid(prompts.texts().size() - 2),
                 (QStringList{QStringLiteral("本当に削除しますがよろしいですか？"),
                              QStringLiteral("削除しました。")}));
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Information);
        QCOMPARE(listTexts(dialog), (QStringList{QStringLiteral("他人|B-00001"),
                                                 QStringLiteral("同一人物 (他の情報)|A-00003")}));
        // The row now at the deleted row's place is selected and shown.
        QCOMPARE(child<CMatchSortListCtrl>(dialog, "historyList")->selectedRow(), 0);
        QCOMPARE(child<QComboBox>(dialog, "targetUpperCombo")->currentText(), QStringLiteral("B"));

        // Nothing is stored before 保存.
        QCOMPARE(p.rows(), (std::vector<std::string>{"2|2|1", "2|3|3", "1|1|4"}));
        click(dialog, "saveButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QVERIFY(prompts.allAnswered());
        // P-00001's rows are replaced; A-00003, now its same person, stays under examination
        // with P-00002.
        QCOMPARE(p.rows(), (std::vector<std::string>{"2|2|1", "2|3|3", "1|4|4", "1|3|2"}));
        QVERIFY(p.model.settingsOrMatchesChanged());
    }

    // P-00002 is A-00002's same person: registering A-00002 as another record's same person
    // asks first, and いいえ registers nothing.
    void registeringAnotherRecordsSamePersonAsks() {
        const QString question = QStringLiteral(
            "A-00002 は P-00002 と同一人物として登録されています。登録を変更しますか？");
        Project p;
        ScriptedResponder prompts;
        {
            CMarchStatusDlg dialog(p.model, PostMortem, 1, CMarchStatusDlg::Mode::Standalone);
            dialog.show();
            choose(dialog, SamePerson, QStringLiteral("A"), QStringLiteral("00002"));
            prompts.answer(MessageAnswer::No);
            click(dialog, "registerButton");
            QCOMPARE(prompts.texts(), QStringList{question});
            QCOMPARE(prompts.messages.last().icon, MessageIcon::Question);
            QCOMPARE(prompts.messages.last().buttons, MessageButtons::YesNo);
            QCOMPARE(listTexts(dialog), QStringList{QStringLiteral("他人|A-00001")});
            QVERIFY(!child<QCheckBox>(dialog, "identifiedCheck")->isChecked());
            // Other kinds take nothing away and are not asked about.
            choose(dialog, Examining, QStringLiteral("A"), QStringLiteral("00002"));
            click(dialog, "registerButton");
            QCOMPARE(prompts.texts().size(), 1);
            click(dialog, "saveButton");
        }
        p.model.save();
        QCOMPARE(p.rows(), (std::vector<std::string>{"2|2|1", "2|3|3", "1|1|4", "1|2|3"}));

        // From the record without rows: いいえ, then 保存 leaves the file as it was.
        Project q;
        q.model.save();
        const std::string unchanged = readBytes(q.path);
        CMarchStatusDlg ask(q.model, AnteMortem, 4, CMarchStatusDlg::Mode::Standalone);
        ask.show();
        choose(ask, SamePerson, QStringLiteral("P"), QStringLiteral("00002"), true);
        prompts.answer(MessageAnswer::No);
        click(ask, "registerButton");
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral("P-00002 は A-00002 と同一人物として登録されています。"
                                "登録を変更しますか？"));
        QVERIFY(listTexts(ask).isEmpty());
        click(ask, "saveButton");
        q.model.save();
        QCOMPARE(readBytes(q.path), unchanged);

        // はい registers; saving takes P-00002's same-person row with A-00002 away.
        CMarchStatusDlg replace(q.model, AnteMortem, 4, CMarchStatusDlg::Mode::Standalone);
        replace.show();
        choose(replace, SamePerson, QStringLiteral("P"), QStringLiteral("00002"), true);
        prompts.answer(MessageAnswer::Yes);
        click(replace, "registerButton");
        QCOMPARE(listTexts(replace), QStringList{QStringLiteral("同一人物 (他の情報)|P-00002")});
        click(replace, "saveButton");
        QVERIFY(prompts.allAnswered());
        QCOMPARE(q.rows(), (std::vector<std::string>{"2|3|3", "1|1|4", "2|4|2"}));

        // The entry dialog's history window asks the same.
        Project e;
        e.model.entryMatches() = e.model.getMatchHistory(PostMortem, 1);
        CMarchStatusDlg entry(e.model, PostMortem, 1, CMarchStatusDlg::Mode::Entry);
        entry.show();
        choose(entry, SamePerson, QStringLiteral("A"), QStringLiteral("00002"));
        prompts.answer(MessageAnswer::No);
        click(entry, "registerButton");
        QCOMPARE(prompts.texts().last(), question);
        click(entry, "cancelButton");
        QCOMPARE(e.model.entryMatches().size(), 1u);
        QVERIFY(prompts.allAnswered());
    }

    void deletingTheLastRowLeavesTheControlsBlank() {
        Project p;
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 1, CMarchStatusDlg::Mode::Standalone);
        dialog.show();
        clickListRow(dialog, 0);
        prompts.answer(MessageAnswer::Yes);
        click(dialog, "deleteButton");
        QVERIFY(listTexts(dialog).isEmpty());
        QVERIFY(!child<QPushButton>(dialog, "deleteButton")->isEnabled());
        QCOMPARE(child<QComboBox>(dialog, "kindCombo")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(dialog, "targetUpperCombo")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(dialog, "targetLowerCombo")->count(), 0);
        QVERIFY(!child<QRadioButton>(dialog, "chartRadio")->isEnabled());
    }

    void theIdentifiedBoxFollowsTheEntries() {
        Project p;
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 2, CMarchStatusDlg::Mode::Standalone);
        dialog.show();
        choose(dialog, Imposter, QStringLiteral("A"), QStringLiteral("00002"));
        click(dialog, "registerButton");
        QVERIFY(!child<QCheckBox>(dialog, "identifiedCheck")->isChecked());
        // On again by hand: the unnamed identified entry, kept when saving.
        QTest::mouseClick(child<QCheckBox>(dialog, "identifiedCheck"), Qt::LeftButton);
        QVERIFY(child<QCheckBox>(dialog, "identifiedCheck")->isChecked());
        QCOMPARE(listTexts(dialog).size(), 2);
        click(dialog, "saveButton");
        QCOMPARE(p.rows(), (std::vector<std::string>{"1|1|4", "2|2|4", "2|3|3", "2|0|0"}));
        QVERIFY(prompts.allAnswered());
    }

    void cancelAsksAndEscDoesNothing() {
        Project p;
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 1, CMarchStatusDlg::Mode::Standalone);
        dialog.show();
        QCOMPARE(child<QPushButton>(dialog, "cancelButton")->text(), QStringLiteral("キャンセル"));
        choose(dialog, Examining, QStringLiteral("A"), QStringLiteral("00003"));
        click(dialog, "registerButton");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        prompts.answer(MessageAnswer::No);
        click(dialog, "cancelButton");
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompts.texts().last(), QStringLiteral("データを保存しません。よろしいですか？"));
        // The close box asks the same.
        prompts.answer(MessageAnswer::No);
        dialog.close();
        QVERIFY(dialog.isVisible());
        prompts.answer(MessageAnswer::Yes);
        dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(p.rows(), (std::vector<std::string>{"2|2|1", "2|3|3", "1|1|4"}));
        QVERIFY(!p.model.settingsOrMatchesChanged());
        QVERIFY(prompts.allAnswered());
    }

    void enterRunsTheFocusedButtonOnly() {
        Project p;
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 1, CMarchStatusDlg::Mode::Standalone);
        dialog.show();
        choose(dialog, Examining, QStringLiteral("A"), QStringLiteral("00003"));
        child<QComboBox>(dialog, "kindCombo")->setFocus();
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(listTexts(dialog).size(), 1);
        child<QPushButton>(dialog, "registerButton")->setFocus();
        QTest::keyClick(child<QPushButton>(dialog, "registerButton"), Qt::Key_Return);
        QCOMPARE(listTexts(dialog).size(), 2);
        child<QPushButton>(dialog, "saveButton")->setFocus();
        QTest::keyClick(child<QPushButton>(dialog, "saveButton"), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(p.rows().back(), "1|3|3");
    }

    void savingAsksForASamePersonWithoutPartner() {
        Project p;
        // The partner of a stored same-person row is not in the project.
        runSql(p.model, "UPDATE TB_MATCH SET ID_BEFOR=0 WHERE ID_AFTER=2 AND KIND='1'");
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 2, CMarchStatusDlg::Mode::Standalone);
        dialog.show();
        QCOMPARE(listTexts(dialog).first(), QStringLiteral("同一人物 (デンタルチャート)|"));
        prompts.answer(MessageAnswer::No);
        click(dialog, "saveButton");
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral("判明IDが指定されていません。保存してよろしいですか？"));
        QVERIFY(dialog.isVisible());
        prompts.answer(MessageAnswer::Yes);
        click(dialog, "saveButton");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(p.rows(), (std::vector<std::string>{"1|1|4", "2|0|1", "2|3|3"}));
    }

    void aFailedSaveKeepsTheDialogAndItsEdits() {
        Project p;
        runSql(p.model, "CREATE TEMP TRIGGER refuse BEFORE INSERT ON TB_MATCH "
                        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 1, CMarchStatusDlg::Mode::Standalone);
        dialog.show();
        click(dialog, "saveButton");
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Error);
        QVERIFY(prompts.texts().last().contains(QStringLiteral("refused")));
        QCOMPARE(listTexts(dialog).size(), 1);
    }

    void entryModeWorksOnTheEntryList() {
        Project p;
        p.model.entryMatches() = p.model.getMatchHistory(PostMortem, 2);
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 2, CMarchStatusDlg::Mode::Entry);
        dialog.show();
        QVERIFY(!child<QPushButton>(dialog, "saveButton")->isVisible());
        QCOMPARE(child<QPushButton>(dialog, "cancelButton")->text(), QStringLiteral("終了"));
        QCOMPARE(child<CColorButton>(dialog, "cancelButton")->faceColor(),
                 CColorButton::confirmFace());
        QCOMPARE(listTexts(dialog).size(), 2);
        choose(dialog, Imposter, QStringLiteral("B"), QStringLiteral("00001"));
        click(dialog, "registerButton");
        QCOMPARE(p.model.entryMatches().size(), 2u); // the copy is edited, not the model's list
        click(dialog, "cancelButton");
        QVERIFY(!dialog.isVisible());
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(p.model.entryMatches().size(), 3u);
        QCOMPARE(p.model.entryMatches().back().Match_ID, "B-00001");
        QCOMPARE(p.model.entryMatches().back().ID_AFTER, "2");
        QCOMPARE(p.rows().size(), 3u); // nothing stored

        // The close box closes without a question as well, and Enter on the hidden 保存 nothing.
        CMarchStatusDlg again(p.model, PostMortem, 2, CMarchStatusDlg::Mode::Entry);
        again.show();
        QCOMPARE(listTexts(again).size(), 3);
        again.close();
        QVERIFY(!again.isVisible());
        QVERIFY(prompts.messages.isEmpty());
    }

    void headerClicksSortTheList() {
        Project p;
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 2, CMarchStatusDlg::Mode::Standalone);
        dialog.show();
        choose(dialog, Imposter, QStringLiteral("A"), QStringLiteral("00001"));
        click(dialog, "registerButton");
        auto* list = child<CMatchSortListCtrl>(dialog, "historyList");
        QHeaderView* header = list->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
        QCOMPARE(listTexts(dialog),
                 (QStringList{QStringLiteral("他人|A-00001"),
                              QStringLiteral("同一人物 (デンタルチャート)|A-00002"),
                              QStringLiteral("鑑定中|A-00003")}));
        QVERIFY(list->sortByHeader(2));
        QCOMPARE(listTexts(dialog).first(), QStringLiteral("鑑定中|A-00003"));
        QVERIFY(!list->sortByHeader(3));
        // The sort holds for the next refill.
        choose(dialog, Examining, QStringLiteral("B"), QStringLiteral("00001"));
        click(dialog, "registerButton");
        QCOMPARE(listTexts(dialog).first(), QStringLiteral("鑑定中|B-00001"));
        QCOMPARE(list->selectedRow(), 0);
    }

    void theLayoutFollowsTheWindowSize() {
        Project p;
        ScriptedResponder prompts;
        CMarchStatusDlg dialog(p.model, PostMortem, 1, CMarchStatusDlg::Mode::Standalone);
        dialog.show();
        const QSize opening = dialog.size();
        QCOMPARE(dialog.minimumSize(), opening);
        dialog.resize(opening.width() + 100, opening.height() + 60);
        const int cx = dialog.width();
        const int cy = dialog.height();
        QCOMPARE(child<QWidget>(dialog, "historyList")->geometry(),
                 QRect(26, 191, cx - 141, cy - 268));
        QCOMPARE(child<QWidget>(dialog, "deleteButton")->pos(), QPoint(cx - 110, 190));
        QCOMPARE(child<QWidget>(dialog, "saveButton")->pos(), QPoint(cx - 240, cy - 57));
        QCOMPARE(child<QWidget>(dialog, "cancelButton")->pos(), QPoint(cx - 122, cy - 57));
        QCOMPARE(child<QWidget>(dialog, "registerButton")->pos(), QPoint(487, 124));
        dialog.resize(100, 100);
        QCOMPARE(dialog.size(), opening);
    }

    void theComparisonShowsThePairPostMortemFirst() {
        Project p;
        runSql(p.model,
               "UPDATE TB_AFTER SET dru8='2100000000', dru7='5000010000' WHERE Dental_ID=2");
        for (int side : {PostMortem, AnteMortem}) {
            CMatchDiffDlg dialog(p.model, side, 2);
            dialog.show();
            QCOMPARE(dialog.windowTitle(), QStringLiteral("判明データ比較 - Quendix Free"));
            const QAbstractItemModel* model = dialog.table()->model();
            QCOMPARE(model->rowCount(), 2);
            QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("P-00002"));
            QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("A-00002"));
            QCOMPARE(model->index(0, 4).data().toString(), QStringLiteral("2b"));
            QCOMPARE(model->index(0, 5).data().toString(), QStringLiteral("5 "));
            QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), QStringLiteral("右上8"));
            QVERIFY(dialog.table()->columnWidth(1) >= 100);
            QVERIFY(dialog.table()->columnWidth(20) >= 50);
            QAbstractItemModelTester tester(dialog.tableModel(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
        }
        // A record without match rows shows alone.
        CMatchDiffDlg alone(p.model, AnteMortem, 4);
        alone.show();
        QCOMPARE(alone.table()->model()->rowCount(), 1);
        QCOMPARE(alone.minimumSize(), alone.size());
        const int cx = alone.width();
        const int cy = alone.height();
        QCOMPARE(alone.table()->geometry(), QRect(12, 11, cx - 25, cy - 98));
        QCOMPARE(child<QWidget>(alone, "closeButton")->pos(), QPoint(cx - 118, cy - 55));
        QTest::keyClick(&alone, Qt::Key_Escape);
        QVERIFY(alone.isVisible());
        child<QPushButton>(alone, "closeButton")->setFocus();
        QTest::keyClick(child<QPushButton>(alone, "closeButton"), Qt::Key_Return);
        QVERIFY(!alone.isVisible());
    }

    void aStoreFailureWhileOpeningIsThrown() {
        Project p;
        runSql(p.model, "DROP TABLE TB_MATCH");
        ScriptedResponder prompts;
        QVERIFY_THROWS_EXCEPTION(
            StoreError, CMarchStatusDlg(p.model, PostMortem, 1, CMarchStatusDlg::Mode::Standalone));
    }
};

QTEST_MAIN(HistoryDialogTest)
#include "HistoryDialogTest.moc"
