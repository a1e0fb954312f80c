// Building the main window's controls and menu.
#include "ui/main/CCusporaDlg.h"

#include "model/Labels.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/Prompts.h"
#include "ui/common/UiFonts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QTableView>

#include <algorithm>

namespace qdx {

namespace {

const QSize kSideButtonSize(88, 30);
const QSize kMainButtonSize(120, 42);

QString sidePrefix(int side) {
    return side == 0 ? QStringLiteral("postMortem") : QStringLiteral("anteMortem");
}

} // namespace

CColorButton* CCusporaDlg::addButton(const QString& caption, const QString& name,
                                     const std::function<void()>& command) {
    auto* button = new CColorButton(caption, m_client);
    button->setObjectName(name);
    button->setAutoDefault(true);
    button->resize(kSideButtonSize);
    connect(button, &QPushButton::clicked, this, command);
    return button;
}

CColorStatic* CCusporaDlg::addStatic(const QString& text, const QString& name) {
    auto* label = new CColorStatic(text, m_client);
    label->setObjectName(name);
    return label;
}

void CCusporaDlg::buildControls() {
    // Controls are made in the order in which the keyboard focus and the stacking follow them.
    const QString titles[] = {QStringLiteral("死後デンタルチャート（事後：対象の直接観察）"),
                              QStringLiteral("生前デンタルチャート（事前：歯科医提供）")};
    const QString legend = QString::fromUtf8(kClassLegend.data(), kClassLegend.size());
    for (int side = 0; side < 2; ++side) {
        m_sides[side].title = addStatic(titles[side], sidePrefix(side) + "Title");
    }
    for (int side = 0; side < 2; ++side) {
        m_sides[side].count = addStatic(countCaption(0), sidePrefix(side) + "Count");
    }
    for (int side = 0; side < 2; ++side) {
        m_sides[side].legend = addStatic(legend, sidePrefix(side) + "Legend");
    }
    for (int side = 0; side < 2; ++side) {
        m_sides[side].bridgeLegend =
            addStatic(QStringLiteral("b:ブリッジあり"), sidePrefix(side) + "BridgeLegend");
    }
    for (const ListControls& c : m_sides) {
        c.count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        c.bridgeLegend->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    buildList(0);
    buildList(1);
    buildButtons();
    buildConditionControls();
}

void CCusporaDlg::buildList(int side) {
    auto* view = new QTableView(m_client);
    view->setObjectName(sidePrefix(side) + "List");
    view->setModel(m_lists[side].get());
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionsClickable(false);
    view->horizontalHeader()->setHighlightSections(false);
    view->setWordWrap(false);
    // Fixed row heights keep scrolling through very long lists cheap.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_sides[side].list = view;
    connect(view, &QTableView::clicked, this, [this, side] { rowClicked(side); });
    connect(view, &QTableView::doubleClicked, this, [this, side](const QModelIndex& index) {
        if (index.isValid()) {
            modifyRecord(side);
        }
    });
}

void CCusporaDlg::buildListButtons(int side) {
    ListControls& c = m_sides[side];
    const QString s = sidePrefix(side);
    c.newButton =
        addButton(QStringLiteral("新規登録"), s + "NewButton", [this, side] { newRecord(side); });
    c.modifyButton =
        addButton(QStringLiteral("修正"), s + "ModifyButton", [this, side] { modifyRecord(side); });
    c.deleteButton =
        addButton(QStringLiteral("削除"), s + "DeleteButton", [this, side] { deleteRecord(side); });
    c.historyButton = addButton(QStringLiteral("照合履歴"), s + "HistoryButton",
                                [this, side] { openMatchHistory(side); });
    c.compareButton = addButton(QStringLiteral("比較表示"), s + "CompareButton",
                                [this, side] { openComparison(side); });
    c.qrButton = addButton(QStringLiteral("QRコード生成"), s + "QrButton", [this, side] {
        if (selectedRow(side) < 0) {
            Prompts::message(this,
                             QStringLiteral("修正対象が選択されていません。\n再度、行を選択し修"
                                            "正ボタンを押下してください。"),
                             MessageButtons::Ok, MessageIcon::Exclamation);
            return;
        }
        showQrPicture(side);
    });
    // The match commands are shown: without them an examiner cannot record an outcome.
    c.qrButton->setVisible(m_showHidden);
    c.qrButton->move(477, side == 0 ? 8 : 420);
}

void CCusporaDlg::buildButtons() {
    buildListButtons(0);
    buildListButtons(1);

    const QColor white(Qt::white);
    m_fullSearchButton = addButton(QStringLiteral("全検索"), QStringLiteral("fullSearchButton"),
                                   [this] { openSearch(WindowKind::FullSearch); });
    m_individualSearchButton =
        addButton(QStringLiteral("個別検索"), QStringLiteral("individualSearchButton"),
                  [this] { openSearch(WindowKind::IndividualSearch); });
    m_bridgeSearchButton =
        addButton(QStringLiteral("ブリッジ検索"), QStringLiteral("bridgeSearchButton"),
                  [this] { openSearch(WindowKind::BridgeSearch); });
    m_exitButton =
        addButton(QStringLiteral("終了"), QStringLiteral("exitButton"), [this] { confirmExit(); });
    for (auto* b : {m_fullSearchButton, m_individualSearchButton, m_bridgeSearchButton}) {
        b->setColors(CColorButton::searchFace(), white);
        b->resize(kMainButtonSize);
    }
    m_exitButton->setColors(CColorButton::confirmFace(), white);
    m_exitButton->resize(104, kMainButtonSize.height());
    m_bridgeSearchButton->setVisible(m_showHidden);

    m_totalSearchButton = addButton(QStringLiteral("総検索"), QStringLiteral("totalSearchButton"),
                                    [this] { openSearch(WindowKind::FullSearch); });
    m_dataMatchingButton =
        addButton(QStringLiteral("データマッチング"), QStringLiteral("dataMatchingButton"),
                  [this] { removeDuplicatePostMortem(); });
    m_markSheetButton = addButton(QStringLiteral("マークシート"), QStringLiteral("markSheetButton"),
                                  [this] { readMarkSheet(0); });
    m_receiptButton = addButton(QStringLiteral("レセコン"), QStringLiteral("receiptButton"),
                                [this] { readMarkSheet(1); });
    int x = 580;
    for (auto* b :
         {m_totalSearchButton, m_dataMatchingButton, m_markSheetButton, m_receiptButton}) {
        b->resize(kMainButtonSize.width(), kSideButtonSize.height());
        b->move(x, 8);
        b->setVisible(m_showHidden);
        x += kMainButtonSize.width() + 6;
    }
    m_markSheetPathEdit = addPathEdit(QStringLiteral("markSheetPathEdit"), x);
    m_receiptPathEdit = addPathEdit(QStringLiteral("receiptPathEdit"), x + 166);
}

QLineEdit* CCusporaDlg::addPathEdit(const QString& name, int x) {
    auto* path = new QLineEdit(m_client);
    path->setObjectName(name);
    path->resize(160, 24);
    path->move(x, 8);
    path->setVisible(m_showHidden);
    return path;
}

void CCusporaDlg::buildConditionControls() {
    m_conditionLabel = addStatic(QStringLiteral("検索条件"), QStringLiteral("conditionLabel"));
    m_displayCountLabel =
        addStatic(QStringLiteral("表示件数"), QStringLiteral("displayCountLabel"));
    m_directionCombo = new QComboBox(m_client);
    m_directionCombo->setObjectName(QStringLiteral("directionCombo"));
    m_displayCountCombo = new QComboBox(m_client);
    m_displayCountCombo->setObjectName(QStringLiteral("displayCountCombo"));
    m_rankKeyCombo = new QComboBox(m_client);
    m_rankKeyCombo->setObjectName(QStringLiteral("rankKeyCombo"));
    m_hideExcludedCheck = new QCheckBox(QStringLiteral("検索対象外を非表示"), m_client);
    m_hideExcludedCheck->setObjectName(QStringLiteral("hideExcludedCheck"));
    for (QWidget* widget : std::initializer_list<QWidget*>{m_conditionLabel, m_displayCountLabel,
                                                           m_directionCombo, m_displayCountCombo,
                                                           m_rankKeyCombo, m_hideExcludedCheck}) {
        widget->setVisible(m_showHidden);
    }
    m_directionCombo->resize(110, 24);
    m_displayCountCombo->resize(110, 24);
    m_rankKeyCombo->resize(160, 24);
    connect(m_directionCombo, &QComboBox::currentIndexChanged, this,
            [this] { refreshTopNChoices(); });
    connect(m_hideExcludedCheck, &QCheckBox::toggled, this, [this] { refreshTopNChoices(); });
}

void CCusporaDlg::buildMenu() {
    auto add = [this](QMenu* menu, Command command, const char* name, const QString& text,
                      auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        m_actions[command] = a;
        return a;
    };
    QMenu* file = m_menuBar->addMenu(QStringLiteral("ファイル(&F)"));
    add(file, CmdSaveProject, "saveProjectAction", QStringLiteral("プロジェクトの保存"),
        &CCusporaDlg::saveProject);
    add(file, CmdSwitchProject, "switchProjectAction", QStringLiteral("プロジェクトの切り替え..."),
        &CCusporaDlg::switchProject);
    file->addSeparator();
    QMenu* import = file->addMenu(QStringLiteral("インポート"));
    add(import, CmdImportProject, "importProjectAction", QStringLiteral("プロジェクトファイル..."),
        &CCusporaDlg::importProject);
    QMenu* pm = import->addMenu(QStringLiteral("死後"));
    add(pm, CmdImportPenPM, "importPenPMAction", QStringLiteral("デジタルペン出力CSVファイル..."),
        [this] { importPenCsv(0); });
    add(pm, CmdImportOesPM, "importOesPMAction", QStringLiteral("口腔診査情報OESファイル..."),
        [this] { importOes(0); });
    QMenu* am = import->addMenu(QStringLiteral("生前"));
    add(am, CmdImportPenAM, "importPenAMAction", QStringLiteral("デジタルペン出力CSVファイル..."),
        [this] { importPenCsv(1); });
    add(am, CmdImportOesAM, "importOesAMAction", QStringLiteral("口腔診査情報OESファイル..."),
        [this] { importOes(1); });
    add(file, CmdExport, "exportAction", QStringLiteral("エクスポート..."),
        &CCusporaDlg::exportProject);
    file->addSeparator();
    add(file, CmdSettings, "settingsAction", QStringLiteral("環境設定..."),
        &CCusporaDlg::openSettings);
    file->addSeparator();
    add(file, CmdExit, "exitAction", QStringLiteral("終了(&X)"), &CCusporaDlg::confirmExit);
    QMenu* help = m_menuBar->addMenu(QStringLiteral("ヘルプ(&H)"));
    add(help, CmdAbout, "aboutAction", QStringLiteral("Quendix Freeのバージョン情報(&A)"),
        &CCusporaDlg::showAbout);
}

void CCusporaDlg::applyFonts() {
    const QFont base = font();
    for (const ListControls& c : m_sides) {
        c.title->setFont(UiFonts::scaled(base, 1.1, true));
        for (CColorStatic* label : {c.count, c.legend, c.bridgeLegend}) {
            label->setFont(UiFonts::scaled(base, 1.3));
            label->resize(label == c.bridgeLegend ? 290 : 262, label->fontMetrics().height() + 2);
        }
        fitLegend(c.legend);
    }
    for (CColorStatic* label :
         {m_sides[0].title, m_sides[1].title, m_conditionLabel, m_displayCountLabel}) {
        label->adjustSize();
    }
    for (const ListControls& c : m_sides) {
        c.list->setFont(UiFonts::scaled(base, 1.5));
        c.list->verticalHeader()->setDefaultSectionSize(c.list->fontMetrics().height() + 6);
    }
    const std::initializer_list<QWidget*> mainButtons = {
        m_exitButton, m_bridgeSearchButton, m_individualSearchButton, m_fullSearchButton};
    for (auto* button : m_client->findChildren<CColorButton*>(Qt::FindDirectChildrenOnly)) {
        const bool main =
            std::find(mainButtons.begin(), mainButtons.end(), button) != mainButtons.end();
        button->setFont(UiFonts::scaled(base, 1.5, main));
    }
}

// The legend has the width up to the bridge legend and wraps onto a second line there; its
// font shrinks from the usual size until the two lines hold it.
void CCusporaDlg::fitLegend(CColorStatic* label) {
    const QFont base = font();
    label->setWordWrap(true);
    const int width = 275;
    for (double factor = 1.3; factor > 0.7; factor -= 0.05) {
        label->setFont(UiFonts::scaled(base, factor));
        const QFontMetrics metrics(label->font());
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, width, 1000), Qt::TextWordWrap, label->text());
        if (needed.height() <= 2 * metrics.lineSpacing()) {
            break;
        }
    }
    label->resize(width, 2 * QFontMetrics(label->font()).lineSpacing() + 2);
}

} // namespace qdx
