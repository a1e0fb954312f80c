#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "ui/chart/ChartGeometry.h"
#include "ui/chart/ChartWidget.h"
#include "ui/entry/CCusporaEntryDlg.h"
#include "ui/entry/EntryWindow.h"
#include "ui/main/CCusporaDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace qdx;
using namespace qdx::test;

namespace {

QPoint toothCentre(int position) {
    const chart::ToothRect r = chart::toothRects()[static_cast<std::size_t>(position)];
    return {(r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2};
}

// The main window on a project, with the entry dialog plugged in as the program does.
struct MainWindow {
    explicit MainWindow(const std::string& projectPath) : path(projectPath) {
        plugInEntryWindow(window);
        opened = window.startUp(QString::fromStdString(path));
        window.show();
    }
    // Runs `act` on the entry dialog once it is open and modal, then presses the button.
    void whenEntryOpens(std::function<void(CCusporaEntryDlg&)> act) {
        QTimer::singleShot(0, &window, [act] {
            auto* dialog = qobject_cast<CCusporaEntryDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                qFatal("the entry dialog did not open");
            act(*dialog);
        });
    }
    std::string path;
    CCusporaDlg window;
    bool opened = false;
};

void press(QWidget& dialog, const char* button) {
    QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
}

} // namespace

class EntryMainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void aNewRecordTypedByClicksIsStoredAndListed();
    void aModifiedRecordKeepsItsPlaceInTheList();
    void cancellingStoresNothing();
};

void EntryMainWindowTest::aNewRecordTypedByClicksIsStoredAndListed() {
    TempDir dir;
    const std::string path = dir.file("main.qdx");
    writeEnteredProject(path, {{"T01", "00001"}}, {{"D1", "00001"}});
    ScriptedResponder prompts;
    MainWindow w(path);
    QVERIFY(w.opened);
    QVERIFY(child(w.window, "postMortemNewButton")->isEnabled());
    QVERIFY(child(w.window, "postMortemNewButton")->toolTip().isEmpty());
    w.whenEntryOpens([](CCusporaEntryDlg& dialog) {
        child<QComboBox>(dialog, "idUpperCombo")->setEditText(QStringLiteral("T00"));
        child<QLineEdit>(dialog, "idLowerEdit")->setText(QStringLiteral("7"));
        child<QComboBox>(dialog, "placeCombo")->setEditText(QStringLiteral("気仙沼"));
        child<QRadioButton>(dialog, "sexMaleRadio")->setChecked(true);
        auto* chart = dialog.findChild<ChartWidget*>();
        press(dialog, "allSoundButton");
        QTest::mouseClick(chart, Qt::LeftButton, {}, toothCentre(0));   // 2
        QTest::mouseClick(chart, Qt::LeftButton, {}, toothCentre(0));   // 3
        QTest::mouseClick(chart, Qt::LeftButton, {}, toothCentre(0));   // 4
        QTest::mouseClick(chart, Qt::RightButton, {}, toothCentre(31)); // 歯あり
        press(dialog, "saveButton");
    });
    QTest::mouseClick(child<QPushButton>(w.window, "postMortemNewButton"), Qt::LeftButton);
    QVERIFY(prompts.messages.isEmpty());
    // The new record sorts first and is selected.
    RecordListModel& list = *w.window.listModel(PostMortem);
    QCOMPARE(list.rowCount(), 2);
    QCOMPARE(list.idText(0), QStringLiteral("T00-00007"));
    QCOMPARE(w.window.selectedRow(PostMortem), 0);
    QCOMPARE(w.window.currentId(), QStringLiteral("T00-00007"));

    w.window.saveProject();
    w.window.model().close(false);
    QCOMPARE(countOnDisk(path, "SELECT count(*) FROM TB_AFTER WHERE EXT_IDu='T00' AND "
                               "EXT_IDl='00007' AND place='気仙沼' AND sex='1' AND valid='1'"),
             1);
    QCOMPARE(countOnDisk(path, "SELECT count(*) FROM TB_AFTER WHERE dru8='4000000000' AND "
                               "drd8='5000010000' AND dlu1='1000000000'"),
             1);
}

void EntryMainWindowTest::aModifiedRecordKeepsItsPlaceInTheList() {
    TempDir dir;
    const std::string path = dir.file("modify.qdx");
    writeEnteredProject(path, {{"T01", "00001"}},
                        {{"D1", "00001"}, {"D1", "00002"}, {"D1", "00003"}});
    ScriptedResponder prompts;
    MainWindow w(path);
    w.window.selectRow(AnteMortem, 1);
    w.whenEntryOpens([](CCusporaEntryDlg& dialog) {
        QVERIFY(!child<QComboBox>(dialog, "idUpperCombo")->isEnabled());
        child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("山田 花子"));
        child<QRadioButton>(dialog, "sexFemaleRadio")->setChecked(true);
        press(dialog, "allMissingButton");
        press(dialog, "saveButton");
    });
    QTest::mouseClick(child<QPushButton>(w.window, "anteMortemModifyButton"), Qt::LeftButton);
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(w.window.selectedRow(AnteMortem), 1);
    QCOMPARE(w.window.listModel(AnteMortem)->idText(1), QStringLiteral("D1-00002"));
    w.window.saveProject();
    w.window.model().close(false);
    QCOMPARE(countOnDisk(path, "SELECT count(*) FROM TB_BEFOR WHERE Dental_ID=2 AND "
                               "name='山田 花子' AND sex='2' AND dru8='4000000000'"),
             1);
    QCOMPARE(countOnDisk(path, "SELECT count(*) FROM TB_BEFOR WHERE dru8='4000000000'"), 1);
}

void EntryMainWindowTest::cancellingStoresNothing() {
    TempDir dir;
    const std::string path = dir.file("cancel.qdx");
    writeEnteredProject(path, {{"T01", "00001"}}, {});
    ScriptedResponder prompts;
    MainWindow w(path);
    prompts.answer(MessageAnswer::No);
    prompts.answer(MessageAnswer::Yes);
    w.whenEntryOpens([](CCusporaEntryDlg& dialog) {
        child<QComboBox>(dialog, "idUpperCombo")->setEditText(QStringLiteral("T05"));
        child<QLineEdit>(dialog, "idLowerEdit")->setText(QStringLiteral("1"));
        press(dialog, "cancelButton"); // No: the dialog stays
        QVERIFY(dialog.isVisible());
        press(dialog, "cancelButton"); // Yes
    });
    QTest::mouseClick(child<QPushButton>(w.window, "postMortemNewButton"), Qt::LeftButton);
    QCOMPARE(prompts.texts(),
             QStringList(2, QStringLiteral("データを保存しません。よろしいですか？")));
    QCOMPARE(w.window.listModel(PostMortem)->rowCount(), 1);
    QVERIFY(!w.window.model().recordsChangedPM());
}

QTEST_MAIN(EntryMainWindowTest)
#include "EntryMainWindowTest.moc"
