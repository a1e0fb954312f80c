#include "ui/main/CCusporaDlg.h"

#include "app/ProjectShell.h"
#include "store/StoreError.h"
#include "ui/common/CColorButton.h"
#include "ui/common/LongTask.h"
#include "ui/common/UiFonts.h"
#include "ui/main/MainWindowLayout.h"
#include "ui/main/ProjectCommands.h"
#include "ui/main/RecordListPane.h"
#include "ui/main/SearchConditionControls.h"
#include "views/search/DisplayCount.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace qdx {

namespace {

const QSize kInitialClientSize(1240, 760);

} // namespace

CCusporaDlg::CCusporaDlg(bool showHiddenCommands, QWidget* parent)
    : QDialog(parent), m_shell(std::make_unique<ProjectShell>(m_model, this)),
      m_showHidden(showHiddenCommands), m_records(std::make_unique<RecordCommands>(*this)),
      m_imports(std::make_unique<ImportCommands>(*this)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Quendix Free"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(UiFonts::dialogFont());
    m_shell->setStoreSearchConditions([this] { storeSearchConditions(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_menuBar = new QMenuBar(this);
    layout->setMenuBar(m_menuBar);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->installEventFilter(this);
    layout->addWidget(m_client);

    buildControls();
    m_project = std::make_unique<ProjectCommands>(*this, m_menuBar, *m_imports);
    applyFonts();
    m_client->setMinimumSize(kInitialClientSize);
    resize(kInitialClientSize.width(),
           kInitialClientSize.height() + m_menuBar->sizeHint().height());
    // The window cannot be made smaller than it first opened.
    setMinimumSize(size());
    placeControls(kInitialClientSize.width(), kInitialClientSize.height());
    updateCommandStates();
}

CCusporaDlg::~CCusporaDlg() {
    if (m_model.isOpen()) {
        try {
            m_model.close(false);
        } catch (const StoreError&) {
            // Nothing is left to report to at this point.
        }
    }
}

void CCusporaDlg::setWindowOpener(WindowKind kind, WindowOpener opener) {
    m_openers[kind] = std::move(opener);
    updateCommandStates();
}

QAction* CCusporaDlg::action(Command command) const {
    return m_project->action(command);
}

bool CCusporaDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        // The first notification is the window being created at its template size.
        if (m_sizeSeen) {
            setUpdatesEnabled(false);
            placeControls(size.width(), size.height());
            setUpdatesEnabled(true);
        }
        m_sizeSeen = true;
    }
    return QDialog::eventFilter(watched, event);
}

void CCusporaDlg::placeControls(int cx, int cy) {
    placeMainWindowControls(m_client, cx, cy);
    // The bridge search shares the individual search's place in the standard layout.
    if (m_showHidden) {
        m_bridgeSearchButton->move(cx - 640, cy - 56);
    }
}

void CCusporaDlg::keyPressEvent(QKeyEvent* event) {
    // Esc never ends the main window. Enter runs the button that has the focus and opens the
    // current row of a list (both handle it themselves); no default button answers it.
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CCusporaDlg::reject() {
    // Esc never ends the main window; the close box and the exit commands ask first.
}

void CCusporaDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    confirmExit();
}

void CCusporaDlg::updateTitle() {
    setWindowTitle(m_shell->windowTitle());
}

bool CCusporaDlg::startUp(const QString& commandLinePath) {
    return m_project->startUp(commandLinePath);
}

void CCusporaDlg::projectOpened() {
    m_conditions->reset();
    updateTitle();
    refreshLists(true);
    applySearchConditions(m_model.settings().conditions, false);
}

bool CCusporaDlg::refreshLists(bool rebuildColumns) {
    const std::vector<DentalRecord>* loaded[2] = {};
    bool ok = true;
    try {
        if (m_model.isOpen()) {
            LongTask::run(this, tr("一覧を読み込んでいます..."), [this, &loaded] {
                loaded[0] = &m_model.reloadRecords(PostMortem);
                loaded[1] = &m_model.reloadRecords(AnteMortem);
            });
        }
    } catch (const StoreError& error) {
        m_shell->showStoreError(error);
        ok = false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setUpdatesEnabled(false);
    const std::vector<DentalRecord> none;
    for (int side = 0; side < 2; ++side) {
        if (rebuildColumns) {
            m_panes[side]->setUpColumns();
        }
        m_panes[side]->fill(loaded[side] != nullptr ? *loaded[side] : none);
    }
    // Both lists get the wider of the two fitted ID columns.
    const int idWidth = std::max(m_panes[0]->fitIdColumn(), m_panes[1]->fitIdColumn());
    m_panes[0]->setIdColumnWidth(idWidth);
    m_panes[1]->setIdColumnWidth(idWidth);
    // Nothing in the program offers these two commands; they run only when enabled by hand.
    action(CmdExport)->setEnabled(m_showHidden);
    action(CmdImportProject)->setEnabled(m_showHidden);
    updateCommandStates();
    setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
    return ok;
}

QTableView* CCusporaDlg::listView(int side) const {
    return m_panes[side]->view();
}

RecordListModel* CCusporaDlg::listModel(int side) const {
    return &m_panes[side]->model();
}

int CCusporaDlg::selectedRow(int side) const {
    return m_panes[side]->selectedRow();
}

void CCusporaDlg::selectRow(int side, int row) {
    m_panes[side]->select(row);
}

QString CCusporaDlg::currentId() const {
    return m_panes[m_conditions->direction() == 1 ? PostMortem : AnteMortem]->selectedId();
}

void CCusporaDlg::setDirectionFor(int side) {
    // A post-mortem row searches the ante-mortem side, and the other way round.
    m_conditions->setDirection(side == PostMortem ? 1 : 0);
}

void CCusporaDlg::refreshTopNChoices() {
    const SearchConditions now = m_conditions->current();
    const RecordListModel& pm = m_panes[0]->model();
    const RecordListModel& am = m_panes[1]->model();
    m_conditions->offerDisplayCounts(listCandidateCount(now.searchDirection, now.hideExcluded != 0,
                                                        {pm.rowCount(), pm.searchableCount()},
                                                        {am.rowCount(), am.searchableCount()}));
}

void CCusporaDlg::updateCommandStates() {
    const bool open = m_model.isOpen();
    const bool bothSides = m_panes[0]->model().rowCount() > 0 && m_panes[1]->model().rowCount() > 0;
    for (auto* button : {m_bridgeSearchButton, m_individualSearchButton, m_fullSearchButton,
                         m_totalSearchButton}) {
        button->setEnabled(bothSides);
    }
    for (RecordListPane* pane : m_panes) {
        pane->updateButtons(hasWindow(WindowKind::Entry), open);
    }
    action(CmdSettings)->setEnabled(open && hasWindow(WindowKind::Settings));
    action(CmdChangeLog)->setEnabled(open && hasWindow(WindowKind::ChangeLog));
    action(CmdSaveProject)->setEnabled(open);
    for (Command command : {CmdImportPenPM, CmdImportPenAM, CmdImportOesPM, CmdImportOesAM}) {
        action(command)->setEnabled(open);
    }
    refreshTopNChoices();
}

SearchConditions CCusporaDlg::currentConditions() const {
    return m_conditions->current();
}

void CCusporaDlg::applySearchConditions(const SearchConditions& conditions, bool reload) {
    if (reload) {
        const RecordListPane::Position before[2] = {m_panes[0]->position(), m_panes[1]->position()};
        refreshLists(false);
        m_panes[0]->restore(before[0]);
        m_panes[1]->restore(before[1]);
    }
    if (conditions == currentConditions()) {
        return;
    }
    m_conditions->setChoices(conditions);
    updateCommandStates();
    m_conditions->selectDisplayCount(conditions.topNIndex);
}

void CCusporaDlg::storeSearchConditions() {
    if (!m_model.isOpen()) {
        return;
    }
    try {
        m_model.storeSearchConditions(currentConditions());
    } catch (const StoreError& error) {
        m_shell->showStoreError(error);
    }
}

int CCusporaDlg::copySearchConditionsTo(QComboBox* direction, QComboBox* topN, QComboBox* rank) {
    updateCommandStates();
    return m_conditions->copyTo(direction, topN, rank);
}

} // namespace qdx
