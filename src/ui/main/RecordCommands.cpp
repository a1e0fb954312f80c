#include "ui/main/RecordCommands.h"

#include "app/ProjectShell.h"
#include "store/StoreError.h"
#include "ui/common/CoreText.h"
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

} // namespace

std::optional<std::string> RecordCommands::selectedMark(int side) const {
    const RecordListPane& pane = m_window.pane(side);
    const int row = pane.selectedRow();
    if (row < 0) {
        return std::nullopt;
    }
    return pane.model().markText(row).toStdString();
}

bool RecordCommands::refused(const std::optional<std::string>& refusal) {
    if (refusal) {
        Prompts::message(&m_window, qs(*refusal), MessageButtons::Ok, MessageIcon::Exclamation);
    }
    return refusal.has_value();
}

long long RecordCommands::selectedKey(int side) const {
    const RecordListPane& pane = m_window.pane(side);
    return keyValue(pane.model().keyText(pane.selectedRow()));
}

void RecordCommands::run(int side, RecordListPane::Button button) {
    switch (button) {
    case RecordListPane::NewButton:
        return newRecord(side);
    case RecordListPane::ModifyButton:
        return modifyRecord(side);
    case RecordListPane::DeleteButton:
        return deleteRecord(side);
    case RecordListPane::HistoryButton:
        return openMatchHistory(side);
    case RecordListPane::CompareButton:
        return openComparison(side);
    case RecordListPane::QrButton:
        return showQrPicture(side);
    }
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
    if (!m_window.hasWindow(Kind::Entry) || refused(modifyRefusal(selectedMark(side)))) {
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
    if (refused(deleteRefusal(selectedMark(side)))) {
        return;
    }
    ProjectModel& model = m_window.model();
    const long long key = selectedKey(side);
    std::vector<std::string> kinds;
    try {
        for (const MatchRow& match : model.getMatchHistory(side, key)) {
            kinds.push_back(match.KIND);
        }
    } catch (const StoreError& error) {
        m_window.shell().showStoreError(error);
        return;
    }
    if (Prompts::message(&m_window, qs(deleteQuestion(kinds)), MessageButtons::YesNo,
                         MessageIcon::Question) != MessageAnswer::Yes) {
        return;
    }
    const Position before[2] = {m_window.pane(0).position(), m_window.pane(1).position()};
    try {
        model.deleteRecord(side, key);
    } catch (const StoreError& error) {
        m_window.shell().showStoreError(error);
    }
    m_window.refreshLists(false);
    Prompts::message(&m_window, qs(kDeletedMessage), MessageButtons::Ok, MessageIcon::Information);
    RecordListPane& pane = m_window.pane(side);
    pane.select(std::min(before[side].selected, pane.model().rowCount() - 1));
    for (int s = 0; s < 2; ++s) {
        m_window.pane(s).scrollToTop(before[s].top);
    }
    m_window.pane(1 - side).select(before[1 - side].selected);
    m_window.setDirectionFor(side);
}

void RecordCommands::openMatchHistory(int side) {
    if (refused(historyRefusal(selectedMark(side)))) {
        return;
    }
    if (!m_window.hasWindow(Kind::History)) {
        m_window.notAvailable(QStringLiteral("照合履歴"));
        return;
    }
    if (m_window.openWindow(Kind::History, {side, 0, selectedKey(side)})) {
        m_window.applySearchConditions(m_window.currentConditions(), true);
    }
}

void RecordCommands::openComparison(int side) {
    if (refused(compareRefusal(selectedMark(side)))) {
        return;
    }
    if (!m_window.hasWindow(Kind::Compare)) {
        m_window.notAvailable(QStringLiteral("比較表示"));
        return;
    }
    m_window.openWindow(Kind::Compare, {side, 0, selectedKey(side)});
}

void RecordCommands::showQrPicture(int side) {
    if (refused(modifyRefusal(selectedMark(side)))) {
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
    try {
        m_window.model().deletePostMortemRecordsSharedWithAnteMortem();
    } catch (const StoreError& error) {
        m_window.shell().showStoreError(error);
    }
    m_window.refreshLists(false);
}

void RecordCommands::readMarkSheet(int side, const QString& path) {
    if (side == 0 && !QFileInfo::exists(path)) {
        Prompts::message(&m_window, QStringLiteral("取り込みファイルが存在しません。"),
                         MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    m_window.notAvailable(side == 0 ? QStringLiteral("マークシート取り込み")
                                    : QStringLiteral("レセコン取り込み"));
    m_window.refreshLists(false);
}

} // namespace qdx
