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

namespace qdx {

namespace {

const QSize kSideButtonSize(88, 30);
const QSize kMainButtonSize(120, 42);

QString countCaption(int rows) {
    return QStringLiteral("全件数  %1件").arg(rows);
}

} // namespace

CColorButton* CCusporaDlg::addButton(int id, const QString& caption, const QString& name) {
    auto* button = new CColorButton(caption, m_client);
    button->setObjectName(name);
    button->setAutoDefault(true);
    button->resize(kSideButtonSize);
    registerControl(id, button);
    return button;
}

CColorStatic* CCusporaDlg::addStatic(int id, const QString& text, const QString& name) {
    auto* label = new CColorStatic(text, m_client);
    label->setObjectName(name);
    registerControl(id, label);
    return label;
}

void CCusporaDlg::buildControls() {
    addStatic(1122, QStringLiteral("死後デンタルチャート（事後：対象の直接観察）"),
              QStringLiteral("pmTitle"));
    addStatic(1123, QStringLiteral("生前デンタルチャート（事前：歯科医提供）"),
              QStringLiteral("amTitle"));
    m_counts[0] = addStatic(1075, countCaption(0), QStringLiteral("pmCount"));
    m_counts[1] = addStatic(1076, countCaption(0), QStringLiteral("amCount"));
    const QString legend = QString::fromUtf8(kClassLegend.data(), kClassLegend.size());
    addStatic(1515, legend, QStringLiteral("pmLegend"));
    addStatic(1516, legend, QStringLiteral("amLegend"));
    addStatic(1454, QStringLiteral("b:ブリッジあり"), QStringLiteral("pmBridgeLegend"));
    addStatic(1455, QStringLiteral("b:ブリッジあり"), QStringLiteral("amBridgeLegend"));
    for (int id : {1075, 1076, 1454, 1455}) {
        static_cast<QLabel*>(control(id))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    buildList(0);
    buildList(1);
    buildButtons();
    buildConditionControls();
}

void CCusporaDlg::buildList(int side) {
    auto* view = new QTableView(m_client);
    view->setObjectName(side == 0 ? QStringLiteral("pmList") : QStringLiteral("amList"));
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
    m_views[side] = view;
    registerControl(side == 0 ? 1015 : 1016, view);
    connect(view, &QTableView::clicked, this, [this, side] { rowClicked(side); });
    connect(view, &QTableView::doubleClicked, this, [this, side](const QModelIndex& index) {
        if (index.isValid()) {
            modifyRecord(side);
        }
    });
}

void CCusporaDlg::buildButtons() {
    const QString sideNames[] = {QStringLiteral("pm"), QStringLiteral("am")};
    for (int side = 0; side < 2; ++side) {
        const QString s = sideNames[side];
        auto* add = addButton(1017 + side, QStringLiteral("新規登録"), s + "NewButton");
        auto* modify = addButton(1019 + side, QStringLiteral("修正"), s + "ModifyButton");
        auto* remove = addButton(1021 + side, QStringLiteral("削除"), s + "DeleteButton");
        auto* history = addButton(1023 + side, QStringLiteral("照合履歴"), s + "HistoryButton");
        auto* compare = addButton(1025 + side, QStringLiteral("比較表示"), s + "CompareButton");
        auto* qr =
            addButton(side == 0 ? 1031 : 1029, QStringLiteral("QRコード生成"), s + "QrButton");
        connect(add, &QPushButton::clicked, this, [this, side] { newRecord(side); });
        connect(modify, &QPushButton::clicked, this, [this, side] { modifyRecord(side); });
        connect(remove, &QPushButton::clicked, this, [this, side] { deleteRecord(side); });
        connect(history, &QPushButton::clicked, this, [this, side] { openMatchHistory(side); });
        connect(compare, &QPushButton::clicked, this, [this, side] { openComparison(side); });
        connect(qr, &QPushButton::clicked, this, [this, side] {
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
        qr->setVisible(m_showHidden);
        qr->move(477, side == 0 ? 8 : 420);
    }

    const QColor white(Qt::white);
    auto* full = addButton(1006, QStringLiteral("全検索"), QStringLiteral("fullSearchButton"));
    auto* individual =
        addButton(1002, QStringLiteral("個別検索"), QStringLiteral("individualSearchButton"));
    auto* bridge =
        addButton(1001, QStringLiteral("ブリッジ検索"), QStringLiteral("bridgeSearchButton"));
    auto* exit = addButton(1000, QStringLiteral("終了"), QStringLiteral("exitButton"));
    for (auto* b : {full, individual, bridge}) {
        b->setColors(CColorButton::searchFace(), white);
        b->resize(kMainButtonSize);
    }
    exit->setColors(CColorButton::confirmFace(), white);
    exit->resize(104, kMainButtonSize.height());
    bridge->setVisible(m_showHidden);
    connect(full, &QPushButton::clicked, this, [this] { openSearch(WindowKind::FullSearch); });
    connect(individual, &QPushButton::clicked, this,
            [this] { openSearch(WindowKind::IndividualSearch); });
    connect(bridge, &QPushButton::clicked, this, [this] { openSearch(WindowKind::BridgeSearch); });
    connect(exit, &QPushButton::clicked, this, &CCusporaDlg::confirmExit);

    auto* total = addButton(1030, QStringLiteral("総検索"), QStringLiteral("totalSearchButton"));
    auto* matching =
        addButton(1032, QStringLiteral("データマッチング"), QStringLiteral("dataMatchingButton"));
    auto* markSheet =
        addButton(1027, QStringLiteral("マークシート"), QStringLiteral("markSheetButton"));
    auto* receipt = addButton(1028, QStringLiteral("レセコン"), QStringLiteral("receiptButton"));
    connect(total, &QPushButton::clicked, this, [this] { openSearch(WindowKind::FullSearch); });
    connect(matching, &QPushButton::clicked, this, &CCusporaDlg::removeDuplicatePostMortem);
    connect(markSheet, &QPushButton::clicked, this, [this] { readMarkSheet(0); });
    connect(receipt, &QPushButton::clicked, this, [this] { readMarkSheet(1); });
    int x = 580;
    for (auto* b : {total, matching, markSheet, receipt}) {
        b->resize(kMainButtonSize.width(), kSideButtonSize.height());
        b->move(x, 8);
        b->setVisible(m_showHidden);
        x += kMainButtonSize.width() + 6;
    }
    for (int id : {1513, 1514}) {
        auto* path = new QLineEdit(m_client);
        path->setObjectName(id == 1513 ? QStringLiteral("markSheetPath")
                                       : QStringLiteral("receiptPath"));
        path->resize(160, 24);
        path->move(x + (id - 1513) * 166, 8);
        path->setVisible(m_showHidden);
        registerControl(id, path);
    }
}

void CCusporaDlg::buildConditionControls() {
    addStatic(1134, QStringLiteral("検索条件"), QStringLiteral("conditionLabel"));
    addStatic(1135, QStringLiteral("表示件数"), QStringLiteral("displayCountLabel"));
    m_direction = new QComboBox(m_client);
    m_direction->setObjectName(QStringLiteral("directionCombo"));
    m_topN = new QComboBox(m_client);
    m_topN->setObjectName(QStringLiteral("topNCombo"));
    m_rankKey = new QComboBox(m_client);
    m_rankKey->setObjectName(QStringLiteral("rankKeyCombo"));
    m_hideExcluded = new QCheckBox(QStringLiteral("検索対象外を非表示"), m_client);
    m_hideExcluded->setObjectName(QStringLiteral("hideExcludedCheck"));
    registerControl(1003, m_direction);
    registerControl(1004, m_topN);
    registerControl(1005, m_rankKey);
    registerControl(1041, m_hideExcluded);
    for (int id : {1134, 1135, 1003, 1004, 1005, 1041}) {
        control(id)->setVisible(m_showHidden);
    }
    m_direction->resize(110, 24);
    m_topN->resize(110, 24);
    m_rankKey->resize(160, 24);
    connect(m_direction, &QComboBox::currentIndexChanged, this, [this] { refreshTopNChoices(); });
    connect(m_hideExcluded, &QCheckBox::toggled, this, [this] { refreshTopNChoices(); });
}

void CCusporaDlg::buildMenu() {
    auto add = [this](QMenu* menu, int command, const QString& text, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QStringLiteral("command%1").arg(command));
        connect(a, &QAction::triggered, this, slot);
        m_actions[command] = a;
        return a;
    };
    QMenu* file = m_menuBar->addMenu(QStringLiteral("ファイル(&F)"));
    add(file, CmdSaveProject, QStringLiteral("プロジェクトの保存"), &CCusporaDlg::saveProject);
    add(file, CmdSwitchProject, QStringLiteral("プロジェクトの切り替え..."),
        &CCusporaDlg::switchProject);
    file->addSeparator();
    QMenu* import = file->addMenu(QStringLiteral("インポート"));
    add(import, CmdImportProject, QStringLiteral("プロジェクトファイル..."),
        &CCusporaDlg::importProject);
    QMenu* pm = import->addMenu(QStringLiteral("死後"));
    add(pm, CmdImportPenPM, QStringLiteral("デジタルペン出力CSVファイル..."),
        [this] { importPenCsv(0); });
    add(pm, CmdImportOesPM, QStringLiteral("口腔診査情報OESファイル..."), [this] { importOes(0); });
    QMenu* am = import->addMenu(QStringLiteral("生前"));
    add(am, CmdImportPenAM, QStringLiteral("デジタルペン出力CSVファイル..."),
        [this] { importPenCsv(1); });
    add(am, CmdImportOesAM, QStringLiteral("口腔診査情報OESファイル..."), [this] { importOes(1); });
    add(file, CmdExport, QStringLiteral("エクスポート..."), &CCusporaDlg::exportProject);
    file->addSeparator();
    add(file, CmdSettings, QStringLiteral("環境設定..."), &CCusporaDlg::openSettings);
    file->addSeparator();
    add(file, CmdExit, QStringLiteral("終了(&X)"), &CCusporaDlg::confirmExit);
    QMenu* help = m_menuBar->addMenu(QStringLiteral("ヘルプ(&H)"));
    add(help, CmdAbout, QStringLiteral("Quendix Freeのバージョン情報(&A)"),
        &CCusporaDlg::showAbout);
}

void CCusporaDlg::applyFonts() {
    const QFont base = font();
    for (int id : {1122, 1123}) {
        control(id)->setFont(UiFonts::scaled(base, 1.1, true));
    }
    for (int id : {1075, 1076, 1515, 1516, 1454, 1455}) {
        auto* label = static_cast<QLabel*>(control(id));
        label->setFont(UiFonts::scaled(base, 1.3));
        label->resize(id == 1454 || id == 1455 ? 290 : 262, label->fontMetrics().height() + 2);
    }
    // The legend has the width up to the bridge legend and wraps onto a second line there;
    // its font shrinks from the usual size until the two lines hold it.
    for (int id : {1515, 1516}) {
        auto* label = static_cast<QLabel*>(control(id));
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
    for (int id : {1122, 1123, 1134, 1135}) {
        static_cast<QLabel*>(control(id))->adjustSize();
    }
    for (auto* view : m_views) {
        view->setFont(UiFonts::scaled(base, 1.5));
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    }
    for (const auto& [id, widget] : m_controls) {
        if (auto* button = qobject_cast<CColorButton*>(widget)) {
            const bool main = id == 1000 || id == 1001 || id == 1002 || id == 1006;
            button->setFont(UiFonts::scaled(base, 1.5, main));
        }
    }
}

} // namespace qdx
