#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"

#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "ui/common/CColorButton.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/settings/CSetupDlg.h"
#include "ui/settings/SettingsOpener.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace qdx;
using namespace qdx::test;

namespace {

const QString kCancelQuestion = QStringLiteral("データを保存しません。よろしいですか？");

// A new project opened as the program opens it.
struct OpenProject {
    OpenProject() { openProjectFile(model, splitProjectPath(dir.file("rikuzen.qdx"))); }
    TempDir dir;
    ProjectModel model;
};

// The window on screen and active, so that focus moves as it does for a person.
void showActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheStoredValuesInTheirGrids() {
        OpenProject p;
        p.model.settings().factor = 12;
        CSetupDlg dialog(p.model);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("環境設定 - Quendix Free"));
        QCOMPARE(dialog.projectNameEdit()->text(), QStringLiteral("rikuzen"));
        QCOMPARE(dialog.factorEdit()->text(), QStringLiteral("12"));
        QCOMPARE(dialog.cellEdit(SettingsGrid::AmToPm5, 1, 1)->text(), QStringLiteral("0.0621"));
        QCOMPARE(dialog.cellEdit(SettingsGrid::AmToPm5, 3, 4)->text(), QStringLiteral("-0.9950"));
        QCOMPARE(dialog.cellEdit(SettingsGrid::PmToAm6, 6, 6)->text(), QStringLiteral("0.4936"));
        QCOMPARE(dialog.findChildren<QLineEdit*>().size(), 124);
        QVERIFY(dialog.findChild<QLineEdit*>(QStringLiteral("cell-pm-am5-2-3")) ==
                dialog.cellEdit(SettingsGrid::PmToAm5, 2, 3));
        QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("grid-pm-am6"))->title(),
                 QStringLiteral("スコアの重みづけ（死後→生前）"));

        // Five-class grids run 1..5; six-class grids put 歯あり (class 6) first, left and top.
        auto at = [&](SettingsGrid grid, int column, int row) {
            QWidget* edit = dialog.cellEdit(grid, column, row);
            return edit->mapTo(&dialog, QPoint(0, 0));
        };
        QVERIFY(at(SettingsGrid::AmToPm5, 1, 1).x() < at(SettingsGrid::AmToPm5, 2, 1).x());
        QVERIFY(at(SettingsGrid::AmToPm5, 1, 1).y() < at(SettingsGrid::AmToPm5, 1, 2).y());
        QVERIFY(at(SettingsGrid::AmToPm6, 6, 6).x() < at(SettingsGrid::AmToPm6, 1, 6).x());
        QVERIFY(at(SettingsGrid::AmToPm6, 6, 6).y() < at(SettingsGrid::AmToPm6, 6, 1).y());
        QCOMPARE(at(SettingsGrid::AmToPm6, 6, 1).x(), at(SettingsGrid::AmToPm6, 6, 5).x());
        QVERIFY(at(SettingsGrid::AmToPm5, 5, 1).x() < at(SettingsGrid::PmToAm5, 1, 1).x());
        QVERIFY(at(SettingsGrid::AmToPm5, 1, 5).y() < at(SettingsGrid::AmToPm6, 1, 1).y());

        // The input method stays off in the numeric fields only.
        QVERIFY(!dialog.factorEdit()->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!dialog.cellEdit(SettingsGrid::PmToAm6, 3, 2)
                     ->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(dialog.projectNameEdit()->testAttribute(Qt::WA_InputMethodEnabled));

        QCOMPARE(dialog.confirmButton()->text(), QStringLiteral("設定"));
        QCOMPARE(dialog.confirmButton()->faceColor(), QColor(51, 204, 51));
        QCOMPARE(dialog.cancelButton()->faceColor(), QColor(204, 51, 51));
    }

    void theFirstFaultyFieldIsFocusedWithItsTextSelected() {
        OpenProject p;
        const SearchSettings before = p.model.settings();
        ScriptedResponder prompts;
        CSetupDlg dialog(p.model);
        showActive(dialog);
        // Column 1 of the right five-class grid comes before column 2 of it.
        dialog.cellEdit(SettingsGrid::PmToAm5, 2, 1)->setText(QStringLiteral("1.5"));
        dialog.cellEdit(SettingsGrid::PmToAm5, 1, 4)->setText(QStringLiteral("abc"));
        dialog.cellEdit(SettingsGrid::AmToPm6, 1, 1)->setText(QStringLiteral("0.12345"));
        dialog.factorEdit()->setText(QStringLiteral("9"));
        dialog.factorEdit()->setFocus();
        dialog.confirm();

        QCOMPARE(prompts.texts(), QStringList{QStringLiteral("数字以外が指定されています。")});
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Exclamation);
        QCOMPARE(prompts.messages.last().buttons, MessageButtons::Ok);
        QLineEdit* faulty = dialog.cellEdit(SettingsGrid::PmToAm5, 1, 4);
        QCOMPARE(QApplication::focusWidget(), faulty);
        QCOMPARE(faulty->selectedText(), QStringLiteral("abc"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(p.model.settings().factor, before.factor);
        QCOMPARE(p.model.settings().pmToAmScores5, before.pmToAmScores5);

        // Every typed text is kept; the next fault is the next in storage order.
        faulty->setText(QStringLiteral("0.5"));
        dialog.confirm();
        QCOMPARE(prompts.texts().last(), QStringLiteral("-1.0000～1.0000の範囲で指定して下さい。"));
        QCOMPARE(QApplication::focusWidget(), dialog.cellEdit(SettingsGrid::PmToAm5, 2, 1));
        QCOMPARE(dialog.factorEdit()->text(), QStringLiteral("9"));

        dialog.cellEdit(SettingsGrid::PmToAm5, 2, 1)->setText(QStringLiteral("1"));
        dialog.confirm();
        QCOMPARE(prompts.texts().last(), QStringLiteral("小数点以下は第４位まで指定できます。"));
        QCOMPARE(dialog.cellEdit(SettingsGrid::AmToPm6, 1, 1)->selectedText(),
                 QStringLiteral("0.12345"));

        dialog.projectNameEdit()->setText(QString(101, QChar(u'陸')));
        dialog.confirm();
        QCOMPARE(prompts.texts().last(),
                 QStringLiteral("1文字以上、100文字以内で指定してください。"));
        QCOMPARE(QApplication::focusWidget(), dialog.projectNameEdit());
        QCOMPARE(dialog.projectNameEdit()->selectedText().size(), 101);
        QVERIFY(dialog.isVisible());
        QVERIFY(prompts.allAnswered());
    }

    void confirmStoresEveryFieldAndCloses() {
        OpenProject p;
        ScriptedResponder prompts;
        CSetupDlg dialog(p.model);
        dialog.show();
        dialog.projectNameEdit()->setText(QString(100, QChar(u'陸')));
        dialog.factorEdit()->setText(QStringLiteral(" 65535"));
        dialog.cellEdit(SettingsGrid::AmToPm5, 2, 3)->setText(QStringLiteral("-1"));
        dialog.cellEdit(SettingsGrid::PmToAm5, 5, 5)->setText(QString());
        dialog.cellEdit(SettingsGrid::AmToPm6, 6, 1)->setText(QStringLiteral("0.5"));
        dialog.cellEdit(SettingsGrid::PmToAm6, 1, 6)->setText(QStringLiteral("-0.9950"));
        dialog.confirm();
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());

        const SearchSettings& stored = p.model.settings();
        QCOMPARE(QString::fromStdString(stored.projectName), QString(100, QChar(u'陸')));
        QCOMPARE(stored.factor, 65535);
        QCOMPARE(stored.amToPmScores5[7], -1.0);
        QCOMPARE(stored.pmToAmScores5[24], 0.0);
        QCOMPARE(stored.amToPmScores6[30], 0.5);
        QCOMPARE(stored.pmToAmScores6[5], -0.995);
        QCOMPARE(stored.amToPmScores5[0], 0.0621);
        // The window only writes into the model; saving the tables is the opener's.
        QVERIFY(!p.model.settingsOrMatchesChanged());
    }

    void cancelAndTheCloseBoxAskFirst() {
        OpenProject p;
        ScriptedResponder prompts;
        CSetupDlg dialog(p.model);
        dialog.show();
        dialog.factorEdit()->setText(QStringLiteral("99"));
        prompts.answer(MessageAnswer::No);
        dialog.cancelButton()->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompts.messages.last().text, kCancelQuestion);
        QCOMPARE(prompts.messages.last().icon, MessageIcon::Question);
        QCOMPARE(prompts.messages.last().buttons, MessageButtons::YesNo);

        prompts.answer(MessageAnswer::No);
        dialog.close();
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompts.messages.size(), 2);

        prompts.answer(MessageAnswer::Yes);
        dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(p.model.settings().factor, 2);
        QVERIFY(prompts.allAnswered());
    }

    void enterRunsOnlyTheFocusedButtonAndEscDoesNothing() {
        OpenProject p;
        ScriptedResponder prompts;
        CSetupDlg dialog(p.model);
        showActive(dialog);
        QLineEdit* cell = dialog.cellEdit(SettingsGrid::AmToPm5, 1, 1);
        cell->setFocus();
        cell->setText(QStringLiteral("0.25"));
        QTest::keyClick(cell, Qt::Key_Return);
        QTest::keyClick(cell, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QVERIFY(prompts.messages.isEmpty());

        prompts.answer(MessageAnswer::No);
        dialog.cancelButton()->setFocus();
        QTest::keyClick(dialog.cancelButton(), Qt::Key_Enter);
        QCOMPARE(prompts.texts(), QStringList{kCancelQuestion});
        QVERIFY(dialog.isVisible());

        dialog.confirmButton()->setFocus();
        QTest::keyClick(dialog.confirmButton(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(p.model.settings().amToPmScores5[0], 0.25);
    }

    void theMainWindowSavesBothTablesAndRebuildsItsTitle() {
        TempDir dir;
        const std::string path = dir.file("ofunato.qdx");
        writeEnteredProject(path, {}, {});
        ScriptedResponder prompts;
        CCusporaDlg window;
        QVERIFY(window.startUp(QString::fromStdString(path)));
        window.show();
        QAction* settings = window.action(CCusporaDlg::CmdSettings);
        QVERIFY(!settings->isEnabled()); // no settings window plugged in yet
        plugInSettingsWindow(window);
        window.updateCommandStates();
        QVERIFY(settings->isEnabled());
        QCOMPARE(window.windowTitle(), QStringLiteral("ofunato - Quendix Free (ofunato.qdx)"));

        // Cancelled: nothing is written and the title stays.
        prompts.answer(MessageAnswer::Yes);
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<CSetupDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->factorEdit()->setText(QStringLiteral("5"));
            dialog->cancelButton()->click();
        });
        settings->trigger();
        QVERIFY(!window.model().settingsOrMatchesChanged());
        QCOMPARE(window.model().settings().factor, 2);

        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<CSetupDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->projectNameEdit()->setText(QStringLiteral("大船渡 第2班"));
            dialog->factorEdit()->setText(QStringLiteral("4"));
            dialog->cellEdit(SettingsGrid::PmToAm6, 6, 1)->setText(QStringLiteral("0.3"));
            dialog->confirmButton()->click();
        });
        settings->trigger();
        QCOMPARE(window.windowTitle(), QStringLiteral("大船渡 第2班 - Quendix Free (ofunato.qdx)"));
        QVERIFY(window.model().settingsOrMatchesChanged());

        window.action(CCusporaDlg::CmdSaveProject)->trigger();
        window.model().close(false);
        QCOMPARE(textOnDisk(path, "SELECT PROJECTNAME FROM TB_SETUP WHERE ID=1"),
                 std::string("大船渡 第2班"));
        QCOMPARE(textOnDisk(path, "SELECT PROJECTNAME FROM TB_SETUP_PRO WHERE ID=2"),
                 std::string("2"));
        QCOMPARE(textOnDisk(path, "SELECT FACTOR FROM TB_SETUP_PRO WHERE ID=1"), std::string("4"));
        QCOMPARE(textOnDisk(path, "SELECT SCORE31 FROM TB_SETUP_PRO WHERE ID=2"),
                 std::string("0.3"));
        QCOMPARE(textOnDisk(path, "SELECT SCORE1 FROM TB_SETUP WHERE ID=1"), std::string("0.0621"));
        QVERIFY(prompts.allAnswered());
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
