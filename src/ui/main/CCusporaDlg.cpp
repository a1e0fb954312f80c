#include "ui/main/CCusporaDlg.h"

#include "app/ProjectShell.h"
#include "matching/PairResult.h"
#include "model/Labels.h"
#include "store/StoreError.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CoreText.h"
#include "ui/common/LongTask.h"
#include "ui/common/Prompts.h"
#include "ui/common/UiFonts.h"
#include "ui/main/MainWindowLayout.h"
#include "views/search/DisplayCount.h"
#include "views/search/SearchLabels.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace qdx {

namespace {

const QSize kInitialClientSize(1240, 760);

void fillDirections(QComboBox* combo) {
    combo->clear();
    for (int direction : {0, 1}) {
        combo->addItem(qs(directionLabel(direction)));
    }
}

void fillRankKeys(QComboBox* combo) {
    combo->clear();
    for (int key = 0; key < kRankKeyCount; ++key) {
        combo->addItem(qs(rankKeyLabel(key)));
    }
}

} // namespace

QString CCusporaDlg::countCaption(int rows) {
    return QStringLiteral("全件数  %1件").arg(rows);
}

CCusporaDlg::CCusporaDlg(bool showHiddenCommands, QWidget* parent)
    : QDialog(parent), m_shell(std::make_unique<ProjectShell>(m_model, this)),
      m_showHidden(showHiddenCommands) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Quendix Free"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(UiFonts::dialogFont());
    m_lists[0] = std::make_unique<RecordListModel>();
    m_lists[1] = std::make_unique<RecordListModel>();
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
    buildMenu();
    applyFonts();
    m_client->setMinimumSize(kInitialClientSize);
    resize(kInitialClientSize.width(),
           kInitialClientSize.height() + m_menuBar->sizeHint().height());
    // The window cannot be made smaller than it first opened.
    setMinimumSize(size());
    placeControls(kInitialClientSize.width(), kInitialClientSize.height());
    updateCommandStates();

    m_startTimer = new QTimer(this);
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(1);
    connect(m_startTimer, &QTimer::timeout, this, &CCusporaDlg::runChooserLoop);
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
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
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
    for (const auto& [name, place] : mainWindowLayout(cx, cy)) {
        auto* widget = m_client->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        if (widget == nullptr) {
            continue;
        }
        if (place.size.isValid()) {
            widget->setGeometry(QRect(place.position, place.size));
        } else {
            widget->move(place.position);
        }
    }
    // The bridge search shares the individual search's place in the standard layout.
    if (m_showHidden) {
        m_bridgeSearchButton->move(cx - 640, cy - 56);
    }
}

void CCusporaDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
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
    m_model.setPictureFolder(QCoreApplication::applicationDirPath().toStdString() + "/");
    if (commandLinePath.isEmpty()) {
        m_startTimer->start();
        return true;
    }
    m_shell->setCommandLinePath(commandLinePath);
    if (!m_shell->openProject(commandLinePath)) {
        return false;
    }
    projectOpened();
    return true;
}

void CCusporaDlg::runChooserLoop() {
    m_startTimer->stop();
    for (;;) {
        const int result = m_shell->chooseAndOpenProject();
        if (result == ProjectShell::kCancelled) {
            done(0);
            return;
        }
        if (result == ProjectShell::kOpened) {
            projectOpened();
            return;
        }
    }
}

void CCusporaDlg::projectOpened() {
    const QSignalBlocker blockDirection(m_directionCombo);
    const QSignalBlocker blockRank(m_rankKeyCombo);
    const QSignalBlocker blockHide(m_hideExcludedCheck);
    fillDirections(m_directionCombo);
    m_directionCombo->setCurrentIndex(0);
    m_hideExcludedCheck->setChecked(false);
    fillRankKeys(m_rankKeyCombo);
    m_rankKeyCombo->setCurrentIndex(0);
    updateTitle();
    refreshLists(true);
    applySearchConditions(m_model.settings().conditions, false);
}

void CCusporaDlg::setUpColumns() {
    for (const ListControls& side : m_sides) {
        QHeaderView* header = side.list->horizontalHeader();
        header->setDefaultAlignment(Qt::AlignCenter);
        header->resizeSection(RecordListModel::kMarkColumn, 20);
        header->resizeSection(RecordListModel::kIdColumn, 60);
        for (int c = RecordListModel::kFirstToothColumn; c < RecordListModel::kKeyColumn; ++c) {
            header->resizeSection(c, 60);
        }
        header->resizeSection(RecordListModel::kKeyColumn, 55);
    }
}

void CCusporaDlg::fitIdColumn() {
    int width = 0;
    for (const ListControls& side : m_sides) {
        side.list->resizeColumnToContents(RecordListModel::kIdColumn);
        width = std::max(width, side.list->columnWidth(RecordListModel::kIdColumn));
    }
    for (const ListControls& side : m_sides) {
        side.list->setColumnWidth(RecordListModel::kIdColumn, width);
    }
}

void CCusporaDlg::fillList(int side, const std::vector<DentalRecord>& records) {
    RecordListModel& list = *m_lists[side];
    list.setRecords(records);
    int row = -1;
    if (!m_rememberedKey[side].isEmpty()) {
        row = list.rowOfKey(m_rememberedKey[side]);
    }
    if (row < 0) {
        row = list.rowOfHighestKey();
    }
    selectRow(side, row);
    m_sides[side].count->setText(countCaption(list.rowCount()));
}

bool CCusporaDlg::refreshLists(bool rebuildColumns) {
    const std::vector<DentalRecord>* loaded[2] = {};
    bool ok = true;
    try {
        if (m_model.isOpen()) {
            LongTask::run(this, QStringLiteral("一覧を読み込んでいます..."), [this, &loaded] {
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
    if (rebuildColumns) {
        setUpColumns();
    }
    const std::vector<DentalRecord> none;
    for (int side = 0; side < 2; ++side) {
        fillList(side, loaded[side] != nullptr ? *loaded[side] : none);
    }
    fitIdColumn();
    // Nothing in the program offers these two commands; they run only when enabled by hand.
    action(CmdExport)->setEnabled(m_showHidden);
    action(CmdImportProject)->setEnabled(m_showHidden);
    updateCommandStates();
    setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
    return ok;
}

int CCusporaDlg::selectedRow(int side) const {
    const QModelIndex current = m_sides[side].list->selectionModel()->currentIndex();
    if (!m_sides[side].list->selectionModel()->hasSelection() || !current.isValid()) {
        return -1;
    }
    return current.row();
}

void CCusporaDlg::selectRow(int side, int row) {
    QTableView* view = m_sides[side].list;
    if (row < 0 || row >= m_lists[side]->rowCount()) {
        view->selectionModel()->clearSelection();
        view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    const QModelIndex index = m_lists[side]->index(row, 0);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    view->scrollTo(index);
}

CCusporaDlg::ListPosition CCusporaDlg::listPosition(int side) const {
    return {m_sides[side].list->rowAt(0), selectedRow(side)};
}

void CCusporaDlg::restoreListPosition(int side, const ListPosition& position) {
    selectRow(side, position.selected);
    if (position.top >= 0 && position.top < m_lists[side]->rowCount()) {
        m_sides[side].list->verticalScrollBar()->setValue(position.top);
    }
}

void CCusporaDlg::refreshTopNChoices() {
    const SearchConditions now = currentConditions();
    const int candidates =
        listCandidateCount(now.searchDirection, now.hideExcluded != 0,
                           {m_lists[0]->rowCount(), m_lists[0]->searchableCount()},
                           {m_lists[1]->rowCount(), m_lists[1]->searchableCount()});
    const DisplayCountChoice choices =
        displayCountChoice(candidates, m_displayCountCombo->currentIndex());
    m_displayCountCombo->setEnabled(candidates != 0);
    const QSignalBlocker block(m_displayCountCombo);
    m_displayCountCombo->clear();
    for (int i = 0; i < choices.items; ++i) {
        m_displayCountCombo->addItem(qs(displayCountCaption(i)));
    }
    m_displayCountCombo->setCurrentIndex(choices.selected);
}

void CCusporaDlg::updateCommandStates() {
    const bool pm = m_lists[0]->rowCount() > 0;
    const bool am = m_lists[1]->rowCount() > 0;
    const bool open = m_model.isOpen();
    for (auto* button : {m_bridgeSearchButton, m_individualSearchButton, m_fullSearchButton,
                         m_totalSearchButton}) {
        button->setEnabled(pm && am);
    }
    const bool hasRows[2] = {pm, am};
    for (int side = 0; side < 2; ++side) {
        const ListControls& c = m_sides[side];
        for (auto* button : {c.deleteButton, c.historyButton, c.compareButton, c.qrButton}) {
            button->setEnabled(hasRows[side]);
        }
    }
    // The record entry window is plugged in separately; until it is, new and modify stay off.
    const bool entry = m_openers.count(WindowKind::Entry) != 0;
    const QString noEntry =
        entry ? QString() : QStringLiteral("記録入力画面はまだ組み込まれていません。");
    for (const ListControls& c : m_sides) {
        c.newButton->setEnabled(entry && open);
    }
    for (int side = 0; side < 2; ++side) {
        m_sides[side].modifyButton->setEnabled(entry && hasRows[side]);
    }
    for (const ListControls& c : m_sides) {
        c.newButton->setToolTip(noEntry);
        c.modifyButton->setToolTip(noEntry);
    }
    action(CmdSettings)->setEnabled(open && m_openers.count(WindowKind::Settings) != 0);
    action(CmdSaveProject)->setEnabled(open);
    for (Command command : {CmdImportPenPM, CmdImportPenAM, CmdImportOesPM, CmdImportOesAM}) {
        action(command)->setEnabled(open);
    }
    refreshTopNChoices();
}

SearchConditions CCusporaDlg::currentConditions() const {
    SearchConditions c;
    c.searchDirection = std::max(m_directionCombo->currentIndex(), 0);
    c.topNIndex = m_displayCountCombo->currentIndex();
    c.rankKey = std::max(m_rankKeyCombo->currentIndex(), 0);
    c.hideExcluded = m_hideExcludedCheck->isChecked() ? 1 : 0;
    return c;
}

void CCusporaDlg::applySearchConditions(const SearchConditions& conditions, bool reload) {
    if (reload) {
        const ListPosition before[2] = {listPosition(0), listPosition(1)};
        refreshLists(false);
        restoreListPosition(0, before[0]);
        restoreListPosition(1, before[1]);
    }
    if (conditions == currentConditions()) {
        return;
    }
    m_directionCombo->setCurrentIndex(std::clamp(conditions.searchDirection, 0, 1));
    m_rankKeyCombo->setCurrentIndex(std::clamp(conditions.rankKey, 0, 3));
    m_hideExcludedCheck->setChecked(conditions.hideExcluded != 0);
    updateCommandStates();
    // -1 clears the display count, as a project that never chose one stores it.
    if (conditions.topNIndex < m_displayCountCombo->count()) {
        m_displayCountCombo->setCurrentIndex(std::max(conditions.topNIndex, -1));
    }
}

void CCusporaDlg::storeSearchConditions() {
    if (!m_model.isOpen()) {
        return;
    }
    const SearchConditions now = currentConditions();
    if (now == m_model.settings().conditions) {
        return;
    }
    m_model.settings().conditions = now;
    try {
        m_model.saveSettings5(SettingsWrite::Update);
        m_model.saveSettings6(SettingsWrite::Update);
    } catch (const StoreError& error) {
        m_shell->showStoreError(error);
    }
}

int CCusporaDlg::copySearchConditionsTo(QComboBox* direction, QComboBox* topN, QComboBox* rank) {
    if (direction != nullptr) {
        fillDirections(direction);
        direction->setCurrentIndex(m_directionCombo->currentIndex());
    }
    updateCommandStates();
    if (topN != nullptr) {
        topN->clear();
        for (int i = 0; i < m_displayCountCombo->count(); ++i) {
            topN->addItem(m_displayCountCombo->itemText(i));
        }
        topN->setCurrentIndex(m_displayCountCombo->currentIndex());
    }
    if (rank != nullptr) {
        fillRankKeys(rank);
        rank->setCurrentIndex(m_rankKeyCombo->currentIndex());
    }
    return m_hideExcludedCheck->isChecked() ? 1 : 0;
}

} // namespace qdx
