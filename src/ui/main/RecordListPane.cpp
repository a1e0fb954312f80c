#include "ui/main/RecordListPane.h"

#include "model/Labels.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/UiFonts.h"
#include "ui/main/ClientControls.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTableView>

#include <functional>

namespace qdx {

namespace {

QString sidePrefix(int side) {
    return side == 0 ? QStringLiteral("postMortem") : QStringLiteral("anteMortem");
}

// The record list's keys: Enter opens the current row as a double click does (instead of
// running the window's default button), and typing finds a record by its ID whichever cell
// of the row is current.
class RecordListView : public QTableView {
public:
    RecordListView(QWidget* parent, std::function<void()> open)
        : QTableView(parent), m_open(std::move(open)) {}

    void keyboardSearch(const QString& search) override {
        const QModelIndex current = currentIndex();
        const QModelIndex start = current.isValid() ? current : model()->index(0, 0);
        if (start.isValid() && start.column() != RecordListModel::kIdColumn) {
            selectionModel()->setCurrentIndex(start.siblingAtColumn(RecordListModel::kIdColumn),
                                              QItemSelectionModel::NoUpdate);
        }
        QTableView::keyboardSearch(search);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            m_open();
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }

private:
    std::function<void()> m_open;
};

} // namespace

QString RecordListPane::countCaption(int rows) {
    return tr("全件数  %1件").arg(rows);
}

RecordListPane::RecordListPane(int side, QWidget* client, QObject* parent)
    : QObject(parent), m_side(side), m_client(client) {
    const QString s = sidePrefix(side);
    m_title = addClientStatic(client,
                              side == 0 ? tr("死後デンタルチャート（事後：対象の直接観察）")
                                        : tr("生前デンタルチャート（事前：歯科医提供）"),
                              s + "Title");
    m_count = addClientStatic(client, countCaption(0), s + "Count");
    m_legends[0] = addClientStatic(client, coreTr(kClassLegend), s + "Legend");
    m_legends[1] = addClientStatic(client, tr("b:ブリッジあり"), s + "BridgeLegend");
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_legends[1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    buildList(client);
}

void RecordListPane::buildList(QWidget* client) {
    m_view = new RecordListView(client, [this] {
        if (selectedRow() >= 0) {
            emit rowOpened(m_side);
        }
    });
    m_view->setObjectName(sidePrefix(m_side) + "List");
    m_view->setModel(&m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionsClickable(false);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->setWordWrap(false);
    // Fixed row heights keep scrolling through very long lists cheap.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(m_view, &QTableView::clicked, this, [this] { emit rowChosen(m_side); });
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            emit rowOpened(m_side);
        }
    });
    QItemSelectionModel* selection = m_view->selectionModel();
    connect(selection, &QItemSelectionModel::currentRowChanged, this, [this] { currentMoved(); });
    connect(selection, &QItemSelectionModel::selectionChanged, this, [this] { currentMoved(); });
}

void RecordListPane::addButtons(bool showHidden) {
    const QString s = sidePrefix(m_side);
    const std::pair<Button, QString> captions[] = {
        {NewButton, tr("新規登録")},     {ModifyButton, tr("修正")},
        {DeleteButton, tr("削除")},      {HistoryButton, tr("照合履歴")},
        {CompareButton, tr("比較表示")}, {QrButton, tr("QRコード生成")}};
    const char* const names[] = {"NewButton",     "ModifyButton",  "DeleteButton",
                                 "HistoryButton", "CompareButton", "QrButton"};
    for (const auto& [which, caption] : captions) {
        CColorButton* button = addClientButton(m_client, caption, s + names[which]);
        connect(button, &QPushButton::clicked, this,
                [this, which] { emit buttonClicked(m_side, which); });
        m_buttons[which] = button;
    }
    // The match commands are shown: without them an examiner cannot record an outcome.
    m_buttons[QrButton]->setVisible(showHidden);
    m_buttons[QrButton]->move(477, m_side == 0 ? 8 : 420);
}

void RecordListPane::currentMoved() {
    if (!m_selecting && selectedRow() >= 0) {
        emit rowChosen(m_side);
    }
}

void RecordListPane::fill(const std::vector<DentalRecord>& records) {
    const QScopedValueRollback quiet(m_selecting, true);
    m_model.setRecords(records);
    int row = -1;
    if (!m_rememberedKey.isEmpty()) {
        row = m_model.rowOfKey(m_rememberedKey);
    }
    if (row < 0) {
        row = m_model.rowOfHighestKey();
    }
    select(row);
    m_count->setText(countCaption(m_model.rowCount()));
}

int RecordListPane::selectedRow() const {
    const QModelIndex current = m_view->selectionModel()->currentIndex();
    if (!m_view->selectionModel()->hasSelection() || !current.isValid()) {
        return -1;
    }
    return current.row();
}

QString RecordListPane::selectedId() const {
    const int row = selectedRow();
    return row < 0 ? QString() : m_model.idText(row);
}

void RecordListPane::select(int row) {
    const QScopedValueRollback quiet(m_selecting, true);
    QItemSelectionModel* selection = m_view->selectionModel();
    if (row < 0 || row >= m_model.rowCount()) {
        selection->clearSelection();
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    const QModelIndex index = m_model.index(row, 0);
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(index);
}

RecordListPane::Position RecordListPane::position() const {
    return {m_view->rowAt(0), selectedRow()};
}

void RecordListPane::restore(const Position& position) {
    select(position.selected);
    if (position.top >= 0 && position.top < m_model.rowCount()) {
        m_view->verticalScrollBar()->setValue(position.top);
    }
}

void RecordListPane::scrollToTop(int row) {
    if (row >= 0 && row < m_model.rowCount()) {
        m_view->scrollTo(m_model.index(row, 0), QAbstractItemView::PositionAtTop);
    }
}

void RecordListPane::setUpColumns() {
    QHeaderView* header = m_view->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignCenter);
    header->resizeSection(RecordListModel::kMarkColumn, 20);
    header->resizeSection(RecordListModel::kIdColumn, 60);
    for (int c = RecordListModel::kFirstToothColumn; c < RecordListModel::kKeyColumn; ++c) {
        header->resizeSection(c, 60);
    }
    header->resizeSection(RecordListModel::kKeyColumn, 55);
}

int RecordListPane::fitIdColumn() {
    m_view->resizeColumnToContents(RecordListModel::kIdColumn);
    return m_view->columnWidth(RecordListModel::kIdColumn);
}

void RecordListPane::setIdColumnWidth(int width) {
    m_view->setColumnWidth(RecordListModel::kIdColumn, width);
}

void RecordListPane::applyFonts(const QFont& base) {
    m_title->setFont(UiFonts::scaled(base, 1.1, true));
    for (CColorStatic* label : {m_count, m_legends[0], m_legends[1]}) {
        label->setFont(UiFonts::scaled(base, 1.3));
        label->resize(label == m_legends[1] ? 290 : 262, label->fontMetrics().height() + 2);
    }
    fitLegend(base);
    m_title->adjustSize();
    m_view->setFont(UiFonts::scaled(base, 1.5));
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
}

// The legend has the width up to the bridge legend and wraps onto a second line there; its
// font shrinks from the usual size until the two lines hold it.
void RecordListPane::fitLegend(const QFont& base) {
    CColorStatic* legend = m_legends[0];
    legend->setWordWrap(true);
    const int width = 275;
    for (double factor = 1.3; factor > 0.7; factor -= 0.05) {
        legend->setFont(UiFonts::scaled(base, factor));
        const QFontMetrics metrics(legend->font());
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, width, 1000), Qt::TextWordWrap, legend->text());
        if (needed.height() <= 2 * metrics.lineSpacing()) {
            break;
        }
    }
    legend->resize(width, 2 * QFontMetrics(legend->font()).lineSpacing() + 2);
}

void RecordListPane::updateButtons(bool entryPlugged, bool projectOpen) {
    const bool hasRows = m_model.rowCount() > 0;
    for (Button which : {DeleteButton, HistoryButton, CompareButton, QrButton}) {
        m_buttons[which]->setEnabled(hasRows);
    }
    // The record entry window is plugged in separately; until it is, new and modify stay off.
    m_buttons[NewButton]->setEnabled(entryPlugged && projectOpen);
    m_buttons[ModifyButton]->setEnabled(entryPlugged && hasRows);
    const QString noEntry =
        entryPlugged ? QString() : tr("記録入力画面はまだ組み込まれていません。");
    m_buttons[NewButton]->setToolTip(noEntry);
    m_buttons[ModifyButton]->setToolTip(noEntry);
}

} // namespace qdx
