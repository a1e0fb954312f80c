#pragma once

#include "store/ProjectModel.h"
#include "ui/main/RecordListModel.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QTableView;
class QTimer;

namespace qdx {

class CColorButton;
class CColorStatic;
class ProjectShell;

// The program's only top-level window: both record lists with their commands, the working
// copy of the search conditions and the project menu. It owns the project model for the whole
// run; every other window is opened from here and works on that model.
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
        Settings
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
    };

    explicit CCusporaDlg(bool showHiddenCommands = false, QWidget* parent = nullptr);
    ~CCusporaDlg() override;

    ProjectModel& model() { return m_model; }
    ProjectShell& shell() { return *m_shell; }
    void setWindowOpener(WindowKind kind, WindowOpener opener);

    // Start-up: opens the command-line project, or starts the one-shot timer that shows the
    // chooser once the window is up. False when the command-line project could not be opened:
    // the program then ends.
    bool startUp(const QString& commandLinePath);
    // Repeats choosing and opening until a project is open or the chooser is cancelled (which
    // ends the window).
    void runChooserLoop();
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
    QString currentId() const { return m_currentId; }
    void updateTitle();

    // Commands.
    void newRecord(int side);
    void modifyRecord(int side);
    void deleteRecord(int side);
    void rowClicked(int side);
    void openMatchHistory(int side);
    void openComparison(int side);
    void openSearch(WindowKind kind);
    void removeDuplicatePostMortem();
    void readMarkSheet(int side);
    void showQrPicture(int side);
    void saveProject();
    void switchProject();
    void importPenCsv(int side);
    void importOes(int side);
    void importProject();
    void exportProject();
    void openSettings();
    void showAbout();
    void confirmExit();

    // Reaching the parts. Every control is a child of the client area whose object name is
    // its member's name without "m_" (the list controls: see ListControls); tests and the
    // layout table find them by that name.
    QAction* action(Command command) const;
    QTableView* listView(int side) const { return m_sides[side].list; }
    RecordListModel* listModel(int side) const { return m_lists[side].get(); }
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
    struct ListPosition {
        int top = -1;
        int selected = -1;
    };
    // The controls of one record list. Their object names are the side's prefix
    // ("postMortem", "anteMortem") followed by the member's name: "postMortemNewButton".
    struct ListControls {
        CColorStatic* title = nullptr;
        CColorStatic* count = nullptr;
        QTableView* list = nullptr;
        CColorStatic* legend = nullptr;
        CColorStatic* bridgeLegend = nullptr;
        CColorButton* newButton = nullptr;
        CColorButton* modifyButton = nullptr;
        CColorButton* deleteButton = nullptr;
        CColorButton* historyButton = nullptr;
        CColorButton* compareButton = nullptr;
        CColorButton* qrButton = nullptr;
    };

    static QString countCaption(int rows);
    void buildControls();
    void buildList(int side);
    void buildListButtons(int side);
    void buildButtons();
    void buildConditionControls();
    void buildMenu();
    void applyFonts();
    void fitLegend(CColorStatic* label);
    void placeControls(int cx, int cy);
    CColorButton* addButton(const QString& caption, const QString& name,
                            const std::function<void()>& command);
    CColorStatic* addStatic(const QString& text, const QString& name);
    QLineEdit* addPathEdit(const QString& name, int x);
    void setUpColumns();
    void fitIdColumn();
    void fillList(int side, const std::vector<DentalRecord>& records);
    void refreshTopNChoices();
    ListPosition listPosition(int side) const;
    void restoreListPosition(int side, const ListPosition& position);
    void setDirectionFor(int side);
    bool openWindow(WindowKind kind, const WindowRequest& request);
    void notAvailable(const QString& what);
    void storeEntryAndReload(int side, const QString& oldIdText, bool isNew,
                             const ListPosition& ownBefore, const ListPosition& otherBefore);
    void showStoreErrorAndEnd(const class StoreError& error);
    bool importAllowed();

    ProjectModel m_model;
    std::unique_ptr<ProjectShell> m_shell;
    bool m_showHidden = false;
    QWidget* m_client = nullptr;
    QMenuBar* m_menuBar = nullptr;
    std::unique_ptr<RecordListModel> m_lists[2];
    ListControls m_sides[2];
    CColorButton* m_fullSearchButton = nullptr;
    CColorButton* m_individualSearchButton = nullptr;
    CColorButton* m_bridgeSearchButton = nullptr;
    CColorButton* m_exitButton = nullptr;
    CColorButton* m_totalSearchButton = nullptr;
    CColorButton* m_dataMatchingButton = nullptr;
    CColorButton* m_markSheetButton = nullptr;
    CColorButton* m_receiptButton = nullptr;
    QLineEdit* m_markSheetPathEdit = nullptr;
    QLineEdit* m_receiptPathEdit = nullptr;
    // The working copies of the search conditions.
    CColorStatic* m_conditionLabel = nullptr;
    CColorStatic* m_displayCountLabel = nullptr;
    QComboBox* m_directionCombo = nullptr;
    QComboBox* m_displayCountCombo = nullptr;
    QComboBox* m_rankKeyCombo = nullptr;
    QCheckBox* m_hideExcludedCheck = nullptr;
    QTimer* m_startTimer = nullptr;
    std::map<Command, QAction*> m_actions;
    std::map<WindowKind, WindowOpener> m_openers;
    QString m_currentId;
    QString m_rememberedKey[2];
    bool m_sizeSeen = false;
};

} // namespace qdx
