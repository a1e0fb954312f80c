// The main window's commands on records, searches, the project and the program.
#include "ui/main/CCusporaDlg.h"

#include "app/ProjectShell.h"
#include "store/StoreError.h"
#include "ui/common/LongTask.h"
#include "ui/common/Prompts.h"
#include "ui/qr/CQrCodeDlg.h"
#include "views/entry/EntryForm.h"
#include "views/main/DeleteQuestion.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableView>

#include <cstdlib>

namespace qdx {

namespace {

const QString kNoModifyTarget = QStringLiteral(
    "修正対象が選択されていません。\n再度、行を選択し修正ボタンを押下してください。");
const QString kNoDeleteTarget = QStringLiteral(
    "削除対象が選択されていません。\n再度、行を選択し削除ボタンを押下してください。");

long long keyValue(const QString& key) {
    return std::atoll(key.toStdString().c_str());
}

} // namespace

bool CCusporaDlg::openWindow(WindowKind kind, const WindowRequest& request) {
    const auto found = m_openers.find(kind);
    if (found == m_openers.end()) {
        return false;
    }
    return found->second(*this, request);
}

void CCusporaDlg::notAvailable(const QString& what) {
    Prompts::message(this, what + QStringLiteral("はこの版では利用できません。"),
                     MessageButtons::Ok, MessageIcon::Information);
}

void CCusporaDlg::setDirectionFor(int side) {
    // A post-mortem row searches the ante-mortem side, and the other way round.
    m_directionCombo->setCurrentIndex(side == 0 ? 1 : 0);
}

void CCusporaDlg::rowClicked(int side) {
    const int row = selectedRow(side);
    m_currentId = row < 0 ? QString() : m_lists[side]->idText(row);
    setDirectionFor(side);
}

void CCusporaDlg::newRecord(int side) {
    if (m_openers.count(WindowKind::Entry) == 0 || !m_model.isOpen()) {
        return;
    }
    const int other = 1 - side;
    const ListPosition otherBefore = listPosition(other);
    m_model.clearEntry();
    m_model.entry().side = side;
    m_model.entryMatches().clear();
    if (!openWindow(WindowKind::Entry, {side, 0, 0})) {
        return;
    }
    storeEntryAndReload(side, QString(), true, {}, otherBefore);
}

void CCusporaDlg::modifyRecord(int side) {
    if (m_openers.count(WindowKind::Entry) == 0) {
        return;
    }
    const int row = selectedRow(side);
    if (row < 0) {
        Prompts::message(this, kNoModifyTarget, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    const ListPosition ownBefore = listPosition(side);
    const ListPosition otherBefore = listPosition(1 - side);
    m_rememberedKey[side] = m_lists[side]->keyText(row);
    const QString oldId = m_lists[side]->idText(row);
    if (openWindow(WindowKind::Entry, {side, 1, keyValue(m_rememberedKey[side])})) {
        storeEntryAndReload(side, oldId, false, ownBefore, otherBefore);
    }
    m_rememberedKey[side].clear();
}

void CCusporaDlg::storeEntryAndReload(int side, const QString& oldIdText, bool isNew,
                                      const ListPosition& ownBefore,
                                      const ListPosition& otherBefore) {
    try {
        storeEntryWithMatches(m_model);
    } catch (const StoreError& error) {
        // The transaction is still open: the user keeps every unsaved change and can save.
        m_shell->showStoreError(error);
    }
    refreshLists(false);
    const RecordEntry& entry = m_model.entry();
    const QString newId = QString::fromStdString(entry.upperIdPart) + QLatin1Char('-') +
                          QString::fromStdString(entry.lowerIdPart);
    if (isNew || newId != oldIdText) {
        // The list reload selected the newest record, or the modified one in its new row.
        selectRow(side, selectedRow(side));
    } else {
        restoreListPosition(side, ownBefore);
    }
    const int row = selectedRow(side);
    if (isNew && row >= 0) {
        m_currentId = m_lists[side]->idText(row);
    }
    restoreListPosition(1 - side, otherBefore);
    if (isNew) {
        setDirectionFor(side);
    }
}

void CCusporaDlg::deleteRecord(int side) {
    const int row = selectedRow(side);
    if (row < 0) {
        Prompts::message(this, kNoDeleteTarget, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    RecordListModel& list = *m_lists[side];
    if (list.markText(row).startsWith(QLatin1Char('*'))) {
        Prompts::message(this, QStringLiteral("判明済みのデータは削除できません。"),
                         MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    const long long key = keyValue(list.keyText(row));
    std::vector<MatchKind> kinds;
    try {
        for (const MatchRow& match : m_model.getMatchHistory(side, key)) {
            kinds.push_back(match.KIND);
        }
    } catch (const StoreError& error) {
        m_shell->showStoreError(error);
        return;
    }
    const QString question = QString::fromStdString(deleteQuestionPrefix(kinds)) +
                             QStringLiteral("本当に削除しますがよろしいですか？");
    if (Prompts::message(this, question, MessageButtons::YesNo, MessageIcon::Question) !=
        MessageAnswer::Yes) {
        return;
    }
    const ListPosition before[2] = {listPosition(0), listPosition(1)};
    try {
        m_model.deleteRecord(side, key);
    } catch (const StoreError& error) {
        m_shell->showStoreError(error);
    }
    refreshLists(false);
    Prompts::message(this, QStringLiteral("削除しました。"), MessageButtons::Ok,
                     MessageIcon::Information);
    const int rows = list.rowCount();
    const int select = std::min(before[side].selected, rows - 1);
    selectRow(side, select);
    m_currentId = select >= 0 ? list.idText(select) : QString();
    for (int s = 0; s < 2; ++s) {
        if (before[s].top >= 0 && before[s].top < m_lists[s]->rowCount()) {
            m_sides[s].list->scrollTo(m_lists[s]->index(before[s].top, 0),
                                      QAbstractItemView::PositionAtTop);
        }
    }
    selectRow(1 - side, before[1 - side].selected);
    setDirectionFor(side);
}

void CCusporaDlg::openMatchHistory(int side) {
    const int row = selectedRow(side);
    if (row < 0) {
        Prompts::message(this,
                         QStringLiteral("照合履歴設定対象が選択されていません。再度、行を選択し照"
                                        "合履歴ボタンを押下してください。"),
                         MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    if (m_openers.count(WindowKind::History) == 0) {
        notAvailable(QStringLiteral("照合履歴"));
        return;
    }
    if (openWindow(WindowKind::History, {side, 0, keyValue(m_lists[side]->keyText(row))})) {
        applySearchConditions(currentConditions(), true);
    }
}

void CCusporaDlg::openComparison(int side) {
    const int row = selectedRow(side);
    if (row < 0) {
        Prompts::message(this,
                         QStringLiteral("判明データ比較表示対象が選択されていません。再度、行を選"
                                        "択し比較表示ボタンを押下してください。"),
                         MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    if (m_lists[side]->markText(row) != QStringLiteral("*")) {
        Prompts::message(this, QStringLiteral("判明済みデータを選択してください。"),
                         MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    if (m_openers.count(WindowKind::Compare) == 0) {
        notAvailable(QStringLiteral("比較表示"));
        return;
    }
    openWindow(WindowKind::Compare, {side, 0, keyValue(m_lists[side]->keyText(row))});
}

void CCusporaDlg::openSearch(WindowKind kind) {
    if (m_openers.count(kind) == 0) {
        const QString names[] = {QStringLiteral("全検索"), QStringLiteral("個別検索"),
                                 QStringLiteral("ブリッジ検索")};
        const int index = kind == WindowKind::FullSearch         ? 0
                          : kind == WindowKind::IndividualSearch ? 1
                                                                 : 2;
        notAvailable(names[index]);
        return;
    }
    openWindow(kind, {});
}

void CCusporaDlg::removeDuplicatePostMortem() {
    if (!m_model.isOpen()) {
        return;
    }
    try {
        m_model.deletePostMortemRecordsSharedWithAnteMortem();
    } catch (const StoreError& error) {
        m_shell->showStoreError(error);
    }
    refreshLists(false);
}

void CCusporaDlg::readMarkSheet(int side) {
    const QLineEdit* path = side == 0 ? m_markSheetPathEdit : m_receiptPathEdit;
    if (side == 0 && !QFileInfo::exists(path->text())) {
        Prompts::message(this, QStringLiteral("取り込みファイルが存在しません。"),
                         MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    notAvailable(side == 0 ? QStringLiteral("マークシート取り込み")
                           : QStringLiteral("レセコン取り込み"));
    refreshLists(false);
}

void CCusporaDlg::showQrPicture(int side) {
    const RecordListModel& list = *m_lists[side];
    const int row = selectedRow(side);
    std::vector<std::string> cells;
    for (int column = 0; column < list.columnCount(); ++column) {
        cells.push_back(list.cellText(row, column).toStdString());
    }
    // The proposed file name leaves out what file names cannot hold.
    QString name = QStringLiteral("QR_%1.bmp").arg(list.idText(row));
    name.remove(QRegularExpression(QStringLiteral("[,\\\\/*?\"<>|:]")));
    CQrCodeDlg window(QString::fromStdString(qrRowText(cells)), name, this);
    window.exec();
}

void CCusporaDlg::saveProject() {
    if (!m_shell->saveProject()) {
        // A failed save reopened the project at its last saved state.
        refreshLists(false);
    }
}

void CCusporaDlg::switchProject() {
    int result = ProjectShell::kRetry;
    while (result == ProjectShell::kRetry) {
        result = m_shell->chooseAndOpenProject();
    }
    if (result == ProjectShell::kCancelled) {
        if (!m_model.isOpen()) {
            // The previous project was left and the new one failed: show that nothing is open.
            updateTitle();
            refreshLists(false);
        }
        return;
    }
    updateTitle();
    refreshLists(false);
    applySearchConditions(m_model.settings().conditions, false);
    m_currentId.clear();
}

void CCusporaDlg::openSettings() {
    if (!m_model.isOpen() || !openWindow(WindowKind::Settings, {})) {
        return;
    }
    try {
        m_model.saveSettings5(SettingsWrite::Update);
        m_model.saveSettings6(SettingsWrite::Update);
    } catch (const StoreError& error) {
        m_shell->showStoreError(error);
    }
    updateTitle();
}

void CCusporaDlg::showAbout() {
    Prompts::message(
        this,
        QStringLiteral("Quendix Free\nバージョン %1").arg(QStringLiteral(QDX_PRODUCT_VERSION)),
        MessageButtons::Ok, MessageIcon::Information);
}

void CCusporaDlg::confirmExit() {
    if (LongTask::isRunning()) {
        return;
    }
    storeSearchConditions();
    if (!m_model.anyChanged() || !m_model.isOpen()) {
        if (Prompts::message(this, QStringLiteral("プログラムを終了しますか？"),
                             MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) {
            return;
        }
        m_shell->closeProjectAsking(false, ProjectShell::CloseReason::Exit);
        done(0);
        return;
    }
    if (m_shell->closeProjectAsking(true, ProjectShell::CloseReason::Exit)) {
        done(0);
    }
}

} // namespace qdx
