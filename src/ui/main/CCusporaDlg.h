#pragma once

#include "store/ProjectModel.h"
#include "ui/main/ImportCommands.h"
#include "ui/main/RecordCommands.h"
#include "ui/main/RecordListModel.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QTableView;

namespace qdx {

class CColorButton;
class ProjectCommands;
class ProjectShell;
class RecordListPane;
class SearchConditionControls;

// The program's only top-level window: both record lists with their commands, the working
// copy of the search conditions and the project menu. It owns the project model for the whole
// run; every other window is opened from here and works on that model. Its parts: a
// RecordListPane per side, the SearchConditionControls, the RecordCommands on the lists' rows,
// the ProjectCommands with the menu and its ImportCommands.
class CCusporaDlg : public QDialog {
    Q_OBJECT
public:
    // Windows built elsewhere are plugged in through openers; a command whose window is not
    // there says so instead of doing nothing.
    enum class WindowKind {
        Entry,
        History,
        Compare,
        FullSearch,
        IndividualSearch,
        BridgeSearch,
        Settings,
        ChangeLog
    };
    struct WindowRequest {
        int side = 0;
        int mode = 0; // entry: 0 new, 1 modify
        long long dentalId = 0;
    };
    // Returns true when the window closed with OK (entry: with save). The entry opener fills
    // model().entry() (with isUpdate and dentalId when modifying) and model().entryMatches();
    // the main window then stores both and reloads.
    using WindowOpener = std::function<bool(CCusporaDlg&, const WindowRequest&)>;

    // Menu commands; each action's object name is its command's name with "Action" in
    // place of "Cmd" ("saveProjectAction").
    enum Command {
        CmdSaveProject,
        CmdSwitchProject,
        CmdImportProject,
        CmdImportPenPM,
        CmdImportOesPM,
        CmdImportPenAM,
        CmdImportOesAM,
        CmdExport,
        CmdSettings,
        CmdExit,
        CmdAbout,
        CmdExaminer,
        CmdChangeLog,
    };

    explicit CCusporaDlg(bool showHiddenCommands = false, QWidget* parent = nullptr);
    ~CCusporaDlg() override;

    ProjectModel& model() { return m_model; }
    ProjectShell& shell() { return *m_shell; }
    void setWindowOpener(WindowKind kind, WindowOpener opener);
    bool hasWindow(WindowKind kind) const { return m_openers.count(kind) != 0; }
    // Opens a plugged-in window; false when it is not there or did not end with OK. The
    // windows that change the project ask for the examiner's name first (once per run).
    bool openWindow(WindowKind kind, const WindowRequest& request);

    // The examiner's name for the change history: asked once per run before the first change
    // when the program asks (setAsksExaminer; the desktop program does, a test that does not
    // script the question leaves it off), and whenever "担当者..." is chosen.
    void setAsksExaminer(bool asks) { m_asksExaminer = asks; }
    void askExaminerOnce();
    void askExaminer();

    // Start-up: opens the command-line project, or shows the chooser once the window is up.
    // False when the command-line project could not be opened: the program then ends.
    bool startUp(const QString& commandLinePath);
    // Fills the condition controls, sets the title, fills both lists and applies the stored
    // conditions.
    void projectOpened();

    // Operations the other windows use.
    bool refreshLists(bool rebuildColumns);
    void updateCommandStates();
    void applySearchConditions(const SearchConditions& conditions, bool reload);
    void storeSearchConditions();
    int copySearchConditionsTo(QComboBox* direction, QComboBox* topN, QComboBox* rank);
    SearchConditions currentConditions() const;
    // The record the individual and bridge searches start from: the selected row of the list
    // whose charts the direction searches with (post-mortem for "死後→生前").
    QString currentId() const;
    // A row of this side was chosen: its charts search the other side.
    void setDirectionFor(int side);
    void updateTitle();

    // Commands.
    void newRecord(int side) { m_records->newRecord(side); }
    void modifyRecord(int side) { m_records->modifyRecord(side); }
    void deleteRecord(int side) { m_records->deleteRecord(side); }
    void rowClicked(int side) { setDirectionFor(side); }
    void openSearch(WindowKind kind);
    void saveProject();
    void switchProject();
    void importPenCsv(int side) { m_imports->importPenCsv(side); }
    void importOes(int side) { m_imports->importOes(side); }
    void importProject() { m_imports->importProject(); }
    void exportProject() { m_imports->exportProject(); }
    void confirmExit();
    void notAvailable(const QString& what);

    // Reaching the parts. Every control is a child of the client area with its own object
    // name ("postMortemNewButton", "fullSearchButton"); tests and the layout table find them
    // by that name.
    QAction* action(Command command) const;
    RecordListPane& pane(int side) const { return *m_panes[side]; }
    QTableView* listView(int side) const;
    RecordListModel* listModel(int side) const;
    int selectedRow(int side) const;
    void selectRow(int side, int row);
    // The text of the title bar's menu bar item chain, for the screenshot and tests.
    QMenuBar* menuBar() const { return m_menuBar; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildButtons();
    void applyFonts();
    void placeControls(int cx, int cy);
    CColorButton* addButton(const QString& caption, const QString& name,
                            const std::function<void()>& command);
    QLineEdit* addPathEdit(const QString& name, int x);
    void refreshTopNChoices();

    ProjectModel m_model;
    std::unique_ptr<ProjectShell> m_shell;
    bool m_showHidden = false;
    QWidget* m_client = nullptr;
    QMenuBar* m_menuBar = nullptr;
    RecordListPane* m_panes[2] = {};
    SearchConditionControls* m_conditions = nullptr;
    std::unique_ptr<RecordCommands> m_records;
    std::unique_ptr<ImportCommands> m_imports;
    std::unique_ptr<ProjectCommands> m_project;
    CColorButton* m_fullSearchButton = nullptr;
    CColorButton* m_individualSearchButton = nullptr;
    CColorButton* m_bridgeSearchButton = nullptr;
    CColorButton* m_exitButton = nullptr;
    CColorButton* m_totalSearchButton = nullptr;
    QLineEdit* m_pathEdits[2] = {}; // mark sheet, receipt computer
    std::map<WindowKind, WindowOpener> m_openers;
    bool m_sizeSeen = false;
    bool m_asksExaminer = false;
    bool m_examinerAsked = false;
};

} // namespace qdx
