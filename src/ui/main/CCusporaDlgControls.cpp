// Building the main window's controls.
#include "ui/main/CCusporaDlg.h"

#include "ui/common/CColorButton.h"
#include "ui/common/UiFonts.h"
#include "ui/main/ClientControls.h"
#include "ui/main/RecordCommands.h"
#include "ui/main/RecordListPane.h"
#include "ui/main/SearchConditionControls.h"

#include <QLineEdit>

#include <algorithm>

namespace qdx {

CColorButton* CCusporaDlg::addButton(const QString& caption, const QString& name,
                                     const std::function<void()>& command) {
    CColorButton* button = addClientButton(m_client, caption, name);
    connect(button, &QPushButton::clicked, this, command);
    return button;
}

void CCusporaDlg::buildControls() {
    // Controls are made in the order in which the keyboard focus follows them: both lists,
    // their buttons, the main buttons, the search conditions.
    for (int side = 0; side < 2; ++side) {
        m_panes[side] = new RecordListPane(side, m_client, this);
        connect(m_panes[side], &RecordListPane::rowChosen, this, &CCusporaDlg::setDirectionFor);
        connect(m_panes[side], &RecordListPane::rowOpened, this, &CCusporaDlg::modifyRecord);
        connect(m_panes[side], &RecordListPane::buttonClicked, this,
                [this](int s, RecordListPane::Button button) { m_records->run(s, button); });
    }
    for (RecordListPane* pane : m_panes) {
        pane->addButtons(m_showHidden);
    }
    buildButtons();
    m_conditions = new SearchConditionControls(m_client, m_showHidden, this);
    connect(m_conditions, &SearchConditionControls::candidatesChanged, this,
            &CCusporaDlg::refreshTopNChoices);
}

void CCusporaDlg::buildButtons() {
    const QColor white(Qt::white);
    m_fullSearchButton = addButton(tr("全検索"), QStringLiteral("fullSearchButton"),
                                   [this] { openSearch(WindowKind::FullSearch); });
    m_individualSearchButton = addButton(tr("個別検索"), QStringLiteral("individualSearchButton"),
                                         [this] { openSearch(WindowKind::IndividualSearch); });
    m_bridgeSearchButton = addButton(tr("ブリッジ検索"), QStringLiteral("bridgeSearchButton"),
                                     [this] { openSearch(WindowKind::BridgeSearch); });
    m_exitButton = addButton(tr("終了"), QStringLiteral("exitButton"), [this] { confirmExit(); });
    for (auto* b : {m_fullSearchButton, m_individualSearchButton, m_bridgeSearchButton}) {
        b->setColors(CColorButton::searchFace(), white);
        b->resize(kMainButtonSize);
    }
    m_exitButton->setColors(CColorButton::confirmFace(), white);
    m_exitButton->resize(104, kMainButtonSize.height());
    m_bridgeSearchButton->setVisible(m_showHidden);

    m_totalSearchButton = addButton(tr("総検索"), QStringLiteral("totalSearchButton"),
                                    [this] { openSearch(WindowKind::FullSearch); });
    auto* dataMatchingButton =
        addButton(tr("データマッチング"), QStringLiteral("dataMatchingButton"),
                  [this] { m_records->removeDuplicatePostMortem(); });
    auto* markSheetButton =
        addButton(tr("マークシート"), QStringLiteral("markSheetButton"),
                  [this] { m_records->readMarkSheet(0, m_pathEdits[0]->text()); });
    auto* receiptButton = addButton(tr("レセコン"), QStringLiteral("receiptButton"), [this] {
        m_records->readMarkSheet(1, m_pathEdits[1]->text());
    });
    int x = 580;
    for (auto* b : {m_totalSearchButton, dataMatchingButton, markSheetButton, receiptButton}) {
        b->resize(kMainButtonSize.width(), kSideButtonSize.height());
        b->move(x, 8);
        b->setVisible(m_showHidden);
        x += kMainButtonSize.width() + 6;
    }
    m_pathEdits[0] = addPathEdit(QStringLiteral("markSheetPathEdit"), x);
    m_pathEdits[1] = addPathEdit(QStringLiteral("receiptPathEdit"), x + 166);
}

QLineEdit* CCusporaDlg::addPathEdit(const QString& name, int x) {
    auto* path = new QLineEdit(m_client);
    path->setObjectName(name);
    path->resize(160, 24);
    path->move(x, 8);
    path->setVisible(m_showHidden);
    return path;
}

void CCusporaDlg::applyFonts() {
    const QFont base = font();
    for (RecordListPane* pane : m_panes) {
        pane->applyFonts(base);
    }
    m_conditions->fitLabels();
    const std::initializer_list<QWidget*> mainButtons = {
        m_exitButton, m_bridgeSearchButton, m_individualSearchButton, m_fullSearchButton};
    for (auto* button : m_client->findChildren<CColorButton*>(Qt::FindDirectChildrenOnly)) {
        const bool main =
            std::find(mainButtons.begin(), mainButtons.end(), button) != mainButtons.end();
        button->setFont(UiFonts::scaled(base, 1.5, main));
    }
}

} // namespace qdx
