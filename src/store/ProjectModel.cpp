#include "store/ProjectModel.h"

#include "model/RecordId.h"
#include "platform/FileSystem.h"
#include "store/ChangeText.h"
#include "store/LastInsertKey.h"
#include "store/MatchTable.h"
#include "store/RecordTable.h"
#include "store/SettingsTable.h"
#include "store/StoreError.h"
#include "store/TableStatement.h"

#include <cstdlib>
#include <unordered_set>

namespace qdx {

namespace {

bool endsWithSeparator(const std::string& folder) {
    return !folder.empty() && platform::isPathSeparator(folder.back());
}

// Gives a settings row inserted into a table the number it stands for (1 or 2). SQLite numbers
// inserted rows after the highest key ever used, which differs from the row number when a
// table had rows removed by another tool.
void numberInsertedRow(const ProjectDatabase& db, SettingsTable table, int n) {
    const long long key = lastInsertKey(db);
    if (key == n || !settings::selectSettingsRow(db, table, n).ID.empty())
        return;
    TableStatement st(db, settings::keyColumn(table));
    st.sql = "UPDATE " + std::string(settings::tableName(table)) + " SET ID=" + std::to_string(n);
    st.prepareUpdateWhereKey(std::to_string(key));
    st.step();
}

} // namespace

// --- project ---

void ProjectModel::open(const std::string& folder, const std::string& fileName) {
    m_projectFolder =
        folder.empty() || endsWithSeparator(folder) ? folder : folder + platform::pathSeparator();
    m_projectFileName = fileName;
    m_settings.projectName = fileName;
    m_places.clear();
    m_records = {};
    try {
        m_database.open(projectPath());
    } catch (...) {
        m_projectFolder.clear();
        m_projectFileName.clear();
        throw;
    }
}

void ProjectModel::reopen() {
    releaseStatements();
    m_places.clear();
    m_records = {};
    m_database.open(projectPath());
}

void ProjectModel::reopenAtLastSave() {
    try {
        close(false);
    } catch (const StoreError&) {
        // Without a transaction the rollback fails; the connection is closed all the same.
    }
    reopen();
}

void ProjectModel::releaseStatements() {
    m_journal.release();
    m_inserter.release();
}

void ProjectModel::save() {
    releaseStatements();
    m_database.save();
    clearChangeFlags();
}

void ProjectModel::close(bool commit) {
    releaseStatements();
    m_records = {};
    try {
        m_database.close(commit);
    } catch (...) {
        clearChangeFlags();
        throw;
    }
    clearChangeFlags();
}

void ProjectModel::abandon() {
    releaseStatements();
    try {
        m_database.close(false);
    } catch (const StoreError&) {
        // The connection is closed either way; nothing was to be kept.
    }
    m_records = {};
    m_projectFolder.clear();
    m_projectFileName.clear();
    clearChangeFlags();
}

std::string ProjectModel::projectPath() const {
    return m_projectFolder + m_projectFileName + ".qdx";
}

// --- records ---

std::vector<DentalRecord> ProjectModel::loadRecordList(int side) const {
    return records::selectRecordsWithMatch(m_database, side);
}

const std::vector<DentalRecord>& ProjectModel::reloadRecords(int side) {
    auto& list = m_records[static_cast<std::size_t>(sideIndex(side))];
    list = loadRecordList(side);
    return list;
}

DentalRecord ProjectModel::getRecordWithMatch(int side, long long dentalId) const {
    return records::selectRecordWithMatchByKey(m_database, side, std::to_string(dentalId));
}

DentalRecord ProjectModel::getRecord(int side, long long dentalId) const {
    return records::selectRecordByKey(m_database, side, std::to_string(dentalId));
}

bool ProjectModel::isIdFree(int side, const std::string& displayId, long long& dentalId) const {
    const IdParts id = splitDisplayId(displayId);
    const DentalRecord found = records::selectRecordById(m_database, side, id.upper, id.lower);
    dentalId = std::atoll(found.Dental_ID.c_str());
    return found.Dental_ID.empty();
}

long long ProjectModel::findRecordKey(int side, const std::string& upper,
                                      const std::string& lower) const {
    return records::countById(m_database, side, upper, lower);
}

void ProjectModel::deleteRecord(int side, long long dentalId) {
    markRecordsChanged(side);
    const std::string key = std::to_string(dentalId);
    const DentalRecord record = getRecord(side, dentalId);
    const std::vector<MatchRow> history = getMatchHistory(side, dentalId);
    records::deleteRecord(m_database, side, key);
    // No match row may keep naming a record that is gone, whatever history the caller stores.
    m_settingsOrMatchesChanged = true;
    matches::deleteMatchesOf(m_database, side, key);
    journalDeletion(side, record, history);
}

int ProjectModel::deletePostMortemRecordsSharedWithAnteMortem() {
    std::unordered_set<std::string> anteMortemIds;
    for (const DentalRecord& record : records::selectRecords(m_database, AnteMortem))
        anteMortemIds.insert(record.displayId);
    int deleted = 0;
    for (const DentalRecord& record : records::selectRecords(m_database, PostMortem)) {
        if (anteMortemIds.count(record.displayId) != 0) {
            deleteRecord(PostMortem, std::atoll(record.Dental_ID.c_str()));
            ++deleted;
        }
    }
    m_journal.writeProject(journal::kDataMatching, PostMortem,
                           "削除 " + std::to_string(deleted) + "件");
    return deleted;
}

int ProjectModel::storeEntry() {
    const DentalRecord record = m_entry.toRecord();
    const int side = m_entry.side;
    markRecordsChanged(side);
    if (m_entry.isUpdate) {
        const DentalRecord before = getRecord(side, m_entry.dentalId);
        records::updateRecord(m_database, side, record);
        std::string teeth = teethChangeText(before.chart(), record.chart());
        std::string fields = fieldChangeText(before, record);
        if (!teeth.empty() || !fields.empty())
            m_journal.writeRecord(journal::kModified, side, m_entry.dentalId, record.displayId,
                                  std::move(teeth), std::move(fields));
        return 1;
    }
    std::vector<MatchRow> linked = matches::linkPendingMatches(m_database, side, record.displayId);
    if (!linked.empty())
        m_settingsOrMatchesChanged = true;
    m_inserter.insert(side, record);
    // A linked row waited for exactly this record: give it the new key so the pair shows.
    const long long inserted = lastInsertKey(m_database);
    const std::string newKey = std::to_string(inserted);
    for (MatchRow& row : linked) {
        row.ownColumn(side) = newKey;
        matches::updateMatch(m_database, row);
    }
    // A record an import or a merge adds is what its file says: the row keeps its chart and
    // names the import, whose own row names the file.
    m_journal.writeRecord(journal::kAdded, side, inserted, record.displayId, addedTeethText(record),
                          m_journal.batchNote().empty() ? addedFieldsText(record) : std::string());
    return 1;
}

// --- lists ---

const std::vector<std::string>& ProjectModel::loadIdUpperParts(int side) {
    auto& list = m_idUpperParts[static_cast<std::size_t>(sideIndex(side))];
    list = records::selectIdUpperParts(m_database, side);
    return list;
}

std::vector<std::string> ProjectModel::loadIdLowerParts(int side, const std::string& upper) const {
    return records::selectIdLowerParts(m_database, side, upper);
}

const std::vector<std::string>& ProjectModel::loadPlaces() {
    m_places = records::selectPlaces(m_database);
    return m_places;
}

// --- matches ---

MatchRow ProjectModel::getMatch(const std::string& id) const {
    return matches::selectMatchByKey(m_database, id);
}

std::vector<MatchRow> ProjectModel::getMatchHistory(int side, long long dentalId) const {
    return matches::selectMatchHistory(m_database, side, dentalId);
}

std::vector<MatchRow> ProjectModel::getResolvedMatches() const {
    return matches::selectResolvedMatches(m_database);
}

PairOutcomeMap ProjectModel::loadPairOutcomes() const {
    return matches::buildPairKindIndex(getResolvedMatches());
}

void ProjectModel::replaceMatchHistory(int side, const std::vector<MatchRow>& rows) {
    const matches::HistoryKeys keys = matches::historyKeys(m_database, side, rows);
    if (keys.own.empty())
        return;
    const long long own = std::atoll(keys.own.c_str());
    const std::vector<MatchRow> before = getMatchHistory(side, own);
    // The same-person rule takes the partner's registrations with other records away.
    std::vector<MatchRow> removed;
    if (!keys.partner.empty()) {
        for (const MatchRow& row : getMatchHistory(1 - side, std::atoll(keys.partner.c_str()))) {
            if (row.KIND.isIdentified() && row.ownColumn(side) != keys.own)
                removed.push_back(row);
        }
    }
    try {
        if (matches::replaceMatchHistory(m_database, side, rows))
            m_settingsOrMatchesChanged = true;
        journalHistory(side, keys.own, before, removed, rows);
    } catch (...) {
        // Rows deleted before the failure stay so inside the transaction.
        m_settingsOrMatchesChanged = true;
        throw;
    }
}

void ProjectModel::linkPendingMatches(int side, const std::string& displayId) {
    if (!matches::linkPendingMatches(m_database, side, displayId).empty())
        m_settingsOrMatchesChanged = true;
}

void ProjectModel::insertMatches(const std::vector<MatchRow>& rows) {
    if (rows.empty())
        return;
    m_settingsOrMatchesChanged = true;
    matches::insertMatches(m_database, rows);
}

// --- settings ---

int ProjectModel::loadSettings5() {
    bool missing = false;
    bool nameInRowTwo = false;
    const std::array<SettingsRow, 2> rows =
        settings::selectSettingsRows(m_database, SettingsTable::Setup5);
    for (int n = 1; n <= 2; ++n) {
        const SettingsRow& row = rows[static_cast<std::size_t>(n - 1)];
        if (row.ID.empty()) {
            missing = true;
            continue;
        }
        if (!m_settings.applyRow(SettingsTable::Setup5, n, row))
            nameInRowTwo = true;
    }
    // A missing row is repaired first; the repair also writes the marker into row 2.
    return missing ? 1 : (nameInRowTwo ? 2 : 0);
}

void ProjectModel::loadSettings6() {
    std::array<SettingsRow, 2> rows =
        settings::selectSettingsRows(m_database, SettingsTable::Setup6);
    for (int n = 1; n <= 2; ++n) {
        if (rows[static_cast<std::size_t>(n - 1)].ID.empty()) {
            insertSettingsRowAt(SettingsTable::Setup6, n);
            rows = settings::selectSettingsRows(m_database, SettingsTable::Setup6);
        }
    }
    for (int n = 1; n <= 2; ++n) {
        const SettingsRow& row = rows[static_cast<std::size_t>(n - 1)];
        if (!row.ID.empty())
            m_settings.applyRow(SettingsTable::Setup6, n, row);
    }
}

void ProjectModel::saveSettings5(SettingsWrite mode) {
    writeSettings(SettingsTable::Setup5, mode);
}

void ProjectModel::saveSettings6(SettingsWrite mode) {
    writeSettings(SettingsTable::Setup6, mode);
}

void ProjectModel::repairSettings5() {
    for (int n = 1; n <= 2; ++n) {
        const SettingsRow row = m_settings.buildRow(SettingsTable::Setup5, n);
        if (settings::selectSettingsRow(m_database, SettingsTable::Setup5, n).ID.empty()) {
            insertSettingsRowAt(SettingsTable::Setup5, n);
        } else {
            settings::updateSettingsRow(m_database, SettingsTable::Setup5, row);
            commitSettingsInsert();
        }
    }
}

void ProjectModel::saveSettings() {
    const SearchSettings before = storedSettings();
    saveSettings5(SettingsWrite::Update);
    saveSettings6(SettingsWrite::Update);
    const std::string changed = settingsChangeText(before, m_settings);
    if (!changed.empty())
        m_journal.writeProject(journal::kSettings, -1, changed);
}

bool ProjectModel::storeSearchConditions(const SearchConditions& conditions) {
    if (conditions == m_settings.conditions)
        return false;
    m_settings.conditions = conditions;
    saveSettings();
    return true;
}

void ProjectModel::writeSettings(SettingsTable table, SettingsWrite mode) {
    for (int n = 1; n <= 2; ++n) {
        if (mode == SettingsWrite::Insert) {
            insertSettingsRowAt(table, n);
        } else {
            m_settingsOrMatchesChanged = true;
            settings::updateSettingsRow(m_database, table, m_settings.buildRow(table, n));
        }
    }
}

void ProjectModel::insertSettingsRowAt(SettingsTable table, int n) {
    settings::insertSettingsRow(m_database, table, m_settings.buildRow(table, n));
    numberInsertedRow(m_database, table, n);
    commitSettingsInsert();
}

void ProjectModel::commitSettingsInsert() {
    m_database.save();
    clearChangeFlags();
}

// --- flags ---

void ProjectModel::clearChangeFlags() {
    m_recordsChangedPM = false;
    m_recordsChangedAM = false;
    m_settingsOrMatchesChanged = false;
}

void ProjectModel::markRecordsChanged(int side) {
    if (side == AnteMortem)
        m_recordsChangedAM = true;
    else
        m_recordsChangedPM = true;
}

// --- another project ---

void ProjectModel::readOtherProject(const std::string& path, std::vector<DentalRecord>& pmRecords,
                                    std::vector<DentalRecord>& amRecords,
                                    std::vector<MatchRow>& matchRows) {
    ProjectDatabase other;
    other.openReadOnly(path);
    pmRecords = records::selectRecords(other, PostMortem);
    amRecords = records::selectRecords(other, AnteMortem);
    matchRows = matches::selectResolvedMatches(other);
    other.close(false);
}

} // namespace qdx
