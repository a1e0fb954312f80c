// The project model's rows of the change history that need more than one line: a deleted
// record, a stored match history and the settings as stored.
#include "store/ChangeText.h"
#include "store/MatchTable.h"
#include "store/ProjectModel.h"
#include "store/SettingsTable.h"

#include <cstdlib>

namespace qdx {

namespace {

constexpr const char* kArrowToNothing = " → なし";

bool namesRecord(const std::string& key) {
    return !key.empty() && key != "0";
}

} // namespace

std::vector<JournalRow> ProjectModel::loadJournal(const journal::JournalQuery& query) const {
    return journal::selectJournal(m_database, query);
}

void ProjectModel::recordChartCheck(int side, long long dentalId) {
    const DentalRecord record = getRecord(side, dentalId);
    m_settingsOrMatchesChanged = true;
    m_journal.writeRecord(journal::kChecked, side, dentalId, record.displayId, {}, {});
}

std::vector<JournalRow> ProjectModel::readOtherJournal(const std::string& path) {
    ProjectDatabase other;
    other.openReadOnly(path);
    std::vector<JournalRow> rows;
    if (journal::hasJournal(other))
        rows = journal::selectJournal(other);
    other.close(false);
    return rows;
}

SearchSettings ProjectModel::storedSettings() const {
    SearchSettings stored = m_settings;
    for (SettingsTable table : {SettingsTable::Setup5, SettingsTable::Setup6}) {
        const std::array<SettingsRow, 2> rows = settings::selectSettingsRows(m_database, table);
        for (int n = 1; n <= 2; ++n) {
            const SettingsRow& row = rows[static_cast<std::size_t>(n - 1)];
            if (!row.ID.empty())
                stored.applyRow(table, n, row);
        }
    }
    return stored;
}

// The deleted record's row names the outcomes that went with it; each partner that lost one
// gets a row of its own, so its log shows where the outcome went.
void ProjectModel::journalDeletion(int side, const DentalRecord& record,
                                   const std::vector<MatchRow>& history) {
    std::vector<std::string> outcomes;
    for (const MatchRow& row : history)
        outcomes.push_back(outcomeText(row));
    const long long key = std::atoll(record.Dental_ID.c_str());
    m_journal.writeRecord(journal::kDeleted, side, key, record.displayId, {},
                          joinChanges(outcomes));
    for (const MatchRow& row : history) {
        const std::string& partner = row.partnerColumn(side);
        if (!namesRecord(partner))
            continue;
        MatchRow seen = row;
        seen.Match_ID = record.displayId;
        m_journal.writeRecord(
            journal::kMatches, 1 - side, std::atoll(partner.c_str()), row.Match_ID, {},
            outcomeText(seen) + kArrowToNothing + "（" + record.displayId + " 削除）");
    }
}

void ProjectModel::journalHistory(int side, const std::string& ownKey,
                                  const std::vector<MatchRow>& before,
                                  const std::vector<MatchRow>& removed,
                                  const std::vector<MatchRow>& rows) {
    std::vector<MatchRow> after;
    for (const MatchRow& row : rows) {
        if (row.editState != MatchRow::Deleted)
            after.push_back(row);
    }
    const long long own = std::atoll(ownKey.c_str());
    const std::string ownId = getRecord(side, own).displayId;
    std::string changed = outcomeChangeText(before, after);
    if (!changed.empty())
        m_journal.writeRecord(journal::kMatches, side, own, ownId, {}, std::move(changed));
    // A record whose same-person registration the rule removed keeps the trace in its own log.
    for (const MatchRow& row : removed) {
        const int partnerSide = 1 - side;
        const std::string& other = row.ownColumn(side);
        const std::string& partnerKey = row.ownColumn(partnerSide);
        const std::string partnerId =
            getRecord(partnerSide, std::atoll(partnerKey.c_str())).displayId;
        const std::string reason = "（" + partnerId + " は " + ownId + " と同一人物として登録）";
        if (namesRecord(other)) {
            MatchRow seen = row;
            seen.Match_ID = partnerId;
            m_journal.writeRecord(journal::kMatches, side, std::atoll(other.c_str()), row.Match_ID,
                                  {}, outcomeText(seen) + kArrowToNothing + reason);
        } else {
            m_journal.writeRecord(journal::kMatches, partnerSide, std::atoll(partnerKey.c_str()),
                                  partnerId, {}, outcomeText(row) + kArrowToNothing + reason);
        }
    }
}

} // namespace qdx
