#include "ui/main/RecordCommands.h"

#include "app/ProjectShell.h"
#include "store/StoreError.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/qr/CQrCodeDlg.h"
#include "views/entry/EntryForm.h"
#include "views/main/RecordChecks.h"
#include "views/qr/QrCode.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cstdlib>

namespace qdx {

namespace {

using Kind = CCusporaDlg::WindowKind;

long long keyValue(const QString& key) {
    return std::atoll(key.toStdString().c_str());
}

long long selectedKey(const RecordListPane& pane) {
    return keyValue(pane.model().keyText(pane.selectedRow()));
}

// The selected row's mark, none without a selected row.
std::optional<std::string> selectedMark(const RecordListPane& pane) {
    const int row = pane.selectedRow();
    if (row < 0) {
        return std::nullopt;
    }
    return pane.model().markText(row).toStdString();
}

// Shows the refusal (exclamation icon); true when there was one.
bool refused(QWidget* window, const std::optional<std::string>& refusal) {
    if (refusal) {
        Prompts::message(window, coreTr(*refusal), MessageButtons::Ok, MessageIcon::Exclamation);
    }
    return refusal.has_value();
}

// Opens the window on the selected row's record when the row passes its check and the window
// is there (otherwise says that it is not available); true when it ended with OK.
bool openOnRow(CCusporaDlg& window, int side, Kind kind, const std::optional<std::string>& refusal,
               const QString& what) {
    if (refused(&window, refusal)) {
        return false;
    }
    if (!window.hasWindow(kind)) {
        window.notAvailable(what);
        return false;
    }
    return window.openWindow(kind, {side, 0, selectedKey(window.pane(side))});
}

} // namespace

void RecordCommands::run(int side, RecordListPane::Button button) {
    // In the order of RecordListPane::Button.
    static constexpr void (RecordCommands::*commands[])(int) = {
        &RecordCommands::newRecord,      &RecordCommands::modifyRecord,
        &RecordCommands::deleteRecord,   &RecordCommands::openMatchHistory,
        &RecordCommands::openComparison, &RecordCommands::showQrPicture};
    (this->*commands[button])(side);
}

void RecordCommands::newRecord(int side) {
    ProjectModel& model = m_window.model();
    if (!m_window.hasWindow(Kind::Entry) || !model.isOpen()) {
        return;
    }
    const Position otherBefore = m_window.pane(1 - side).position();
    model.clearEntry();
    model.entry().side = side;
    model.entryMatches().clear();
    if (!m_window.openWindow(Kind::Entry, {side, 0, 0})) {
        return;
    }
    storeEntryAndReload(side, QString(), true, {}, otherBefore);
}

void RecordCommands::modifyRecord(int side) {
    if (!m_window.hasWindow(Kind::Entry) ||
        refused(&m_window, modifyRefusal(selectedMark(m_window.pane(side))))) {
        return;
    }
    RecordListPane& pane = m_window.pane(side);
    const int row = pane.selectedRow();
    const Position ownBefore = pane.position();
    const Position otherBefore = m_window.pane(1 - side).position();
    const QString key = pane.model().keyText(row);
    pane.rememberKey(key);
    const QString oldId = pane.model().idText(row);
    if (m_window.openWindow(Kind::Entry, {side, 1, keyValue(key)})) {
        storeEntryAndReload(side, oldId, false, ownBefore, otherBefore);
    }
    pane.forgetKey();
}

void RecordCommands::storeEntryAndReload(int side, const QString& oldIdText, bool isNew,
                                         const Position& ownBefore, const Position& otherBefore) {
    ProjectModel& model = m_window.model();
    try {
        storeEntryWithMatches(model);
    } catch (const StoreError& error) {
        m_window.shell().showStoreError(error);
        // Most failures leave the transaction open: the user keeps every unsaved change and can
        // save. One that rolled it back has lost them; the project opens again as last saved.
        m_window.shell().reopenIfTransactionLost();
    }
    m_window.refreshLists(false);
    RecordListPane& pane = m_window.pane(side);
    const RecordEntry& entry = model.entry();
    const QString newId = QString::fromStdString(entry.upperIdPart) + QLatin1Char('-') +
                          QString::fromStdString(entry.lowerIdPart);
    if (isNew || newId != oldIdText) {
        // The list reload selected the newest record, or the modified one in its new row.
        pane.select(pane.selectedRow());
    } else {
        pane.restore(ownBefore);
    }
    m_window.pane(1 - side).restore(otherBefore);
    if (isNew) {
        m_window.setDirectionFor(side);
    }
}

void RecordCommands::deleteRecord(int side) {
    if (refused(&m_window, deleteRefusal(selectedMark(m_window.pane(side))))) {
        return;
    }
    ProjectModel& model = m_window.model();
    const long long key = selectedKey(m_window.pane(side));
    std::vector<MatchKind> kinds;
    try {
        for (const MatchRow& match : model.getMatchHistory(side, key)) {
            kinds.push_back(match.KIND);
        }
    } catch (const StoreError& error) {
        m_window.shell().showStoreError(error);
        return;
    }
    if (Prompts::message(&m_window, qs(deleteQuestion(kinds, displayWording())),
                         MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) {
        return;
    }
    m_window.askExaminerOnce();
    const Position before[2] = {m_window.pane(0).position(), m_window.pane(1).position()};
    try {
        model.deleteRecord(side, key);
    } catch (const StoreError& error) {
        // Not deleted: the failure is the last word, never "削除しました。" after it.
        m_window.shell().showStoreError(error);
        m_window.shell().reopenIfTransactionLost();
        m_window.refreshLists(false);
        return;
    }
    m_window.refreshLists(false);
    Prompts::message(&m_window, coreTr(kDeletedMessage), MessageButtons::Ok,
                     MessageIcon::Information);
    RecordListPane& pane = m_window.pane(side);
    pane.select(std::min(before[side].selected, pane.model().rowCount() - 1));
    for (int s = 0; s < 2; ++s) {
        m_window.pane(s).scrollToTop(before[s].top);
    }
    m_window.pane(1 - side).select(before[1 - side].selected);
    m_window.setDirectionFor(side);
}

void RecordCommands::openMatchHistory(int side) {
    if (openOnRow(m_window, side, Kind::History, historyRefusal(selectedMark(m_window.pane(side))),
                  tr("照合履歴"))) {
        m_window.applySearchConditions(m_window.currentConditions(), true);
    }
}

void RecordCommands::openComparison(int side) {
    openOnRow(m_window, side, Kind::Compare, compareRefusal(selectedMark(m_window.pane(side))),
              tr("比較表示"));
}

void RecordCommands::showQrPicture(int side) {
    if (refused(&m_window, modifyRefusal(selectedMark(m_window.pane(side))))) {
        return;
    }
    const RecordListModel& list = m_window.pane(side).model();
    const int row = m_window.pane(side).selectedRow();
    std::vector<std::string> cells;
    for (int column = 0; column < list.columnCount(); ++column) {
        cells.push_back(list.cellText(row, column).toStdString());
    }
    // The proposed file name leaves out what file names cannot hold.
    QString name = QStringLiteral("QR_%1.bmp").arg(list.idText(row));
    name.remove(QRegularExpression(QStringLiteral("[,\\\\/*?\"<>|:]")));
    CQrCodeDlg window(QString::fromStdString(qrRowText(cells)), name, &m_window);
    window.exec();
}

void RecordCommands::removeDuplicatePostMortem() {
    if (!m_window.model().isOpen()) {
        return;
    }
    m_window.askExaminerOnce();
    try {
        m_window.model().deletePostMortemRecordsSharedWithAnteMortem();
    } catch (const StoreError& error) {
        m_window.shell().showStoreError(error);
    }
    m_window.refreshLists(false);
}

void RecordCommands::readMarkSheet(int side, const QString& path) {
    if (side == 0 && !QFileInfo::exists(path)) {
        Prompts::message(&m_window, tr("取り込みファイルが存在しません。"), MessageButtons::Ok,
                         MessageIcon::Error);
        return;
    }
    m_window.notAvailable(side == 0 ? tr("マークシート取り込み") : tr("レセコン取り込み"));
    m_window.refreshLists(false);
}

} // namespace qdx
