#pragma once

#include "model/DentalRecord.h"
#include "store/MatchRow.h"
#include "store/PairOutcomeMap.h"
#include "store/ProjectDatabase.h"
#include "store/ProjectJournal.h"
#include "store/RecordEntry.h"
#include "store/RecordInserter.h"
#include "store/SearchSettings.h"

#include <array>
#include <string>
#include <vector>

namespace qdx {

// How the settings procedures write the two rows of a table.
enum class SettingsWrite { Insert, Update };

// The one object through which every window reaches the open project. Every write goes to the
// database at once inside the project transaction; the change flags only say whether leaving
// the project has anything to save. Store failures come out as StoreError with the statement
// finalized and the transaction still open (unless open, save or close failed, which close it).
class ProjectModel {
public:
    ProjectModel() = default;
    ProjectModel(const ProjectModel&) = delete;
    ProjectModel& operator=(const ProjectModel&) = delete;

    // --- project ---
    // Remembers the location, names the settings after the file and opens folder + fileName +
    // ".qdx" (creating it when missing). The settings sequence is openProjectFile's job.
    void open(const std::string& folder, const std::string& fileName);
    // Opens the same file again (after an import replaced it); settings stay as they are.
    void reopen();
    // Commits and begins again; clears the three change flags on success.
    void save();
    // Commits (true) or rolls back (false) and closes; the change flags are cleared.
    void close(bool commit);
    // Rolls back and closes without throwing and forgets the location: what a failed open
    // leaves behind.
    void abandon();
    bool isOpen() const { return m_database.isOpen(); }
    // True when a failure rolled the open project's transaction back: the unsaved changes are
    // gone and the file is no longer held. reopenAtLastSave carries on from the saved state.
    bool transactionLost() const { return isOpen() && !m_database.holdsTransaction(); }
    // Closes the connection without committing anything and opens the file again (settings
    // stay as they are); the change flags are cleared. Throws StoreError when it cannot open.
    void reopenAtLastSave();
    std::string errorText() const { return m_database.errorText(); }

    // Folder of the project file with a trailing separator; empty for a file named without a
    // folder, which then lies in the working folder.
    const std::string& projectFolder() const { return m_projectFolder; }
    // Base name without ".qdx"; empty while no project has been opened.
    const std::string& projectFileName() const { return m_projectFileName; }
    std::string projectPath() const;
    const std::string& pictureFolder() const { return m_pictureFolder; }
    void setPictureFolder(std::string folder) { m_pictureFolder = std::move(folder); }
    const ProjectDatabase& database() const { return m_database; }

    // --- records ---
    // The side's records with their match summary, ordered by ID.
    std::vector<DentalRecord> loadRecordList(int side) const;
    // Loads the side's list into the model and returns it; searches keep references into it.
    const std::vector<DentalRecord>& reloadRecords(int side);
    // The list last loaded by reloadRecords.
    const std::vector<DentalRecord>& records(int side) const { return m_records[sideIndex(side)]; }
    DentalRecord getRecordWithMatch(int side, long long dentalId) const;
    // A record with empty Dental_ID when there is none.
    DentalRecord getRecord(int side, long long dentalId) const;
    // True when no record of the side has the displayId; dentalId gets the found key or 0.
    bool isIdFree(int side, const std::string& displayId, long long& dentalId) const;
    long long findRecordKey(int side, const std::string& upper, const std::string& lower) const;
    // Deletes the record and every match row naming it.
    void deleteRecord(int side, long long dentalId);
    // Deletes, as deleteRecord does, every post-mortem record whose displayId is also an
    // ante-mortem record's; identified records too. Returns how many went.
    int deletePostMortemRecordsSharedWithAnteMortem();

    // --- the record being stored ---
    RecordEntry& entry() { return m_entry; }
    const RecordEntry& entry() const { return m_entry; }
    void clearEntry() { m_entry.clear(); }
    // Inserts or updates the entry's record (linking pending match rows for a new one).
    int storeEntry();
    std::vector<MatchRow>& entryMatches() { return m_entryMatches; }

    // --- lists for the entry and history windows ---
    const std::vector<std::string>& loadIdUpperParts(int side);
    std::vector<std::string> loadIdLowerParts(int side, const std::string& upper) const;
    const std::vector<std::string>& loadPlaces();
    const std::vector<std::string>& pmIdUpperParts() const { return m_idUpperParts[0]; }
    const std::vector<std::string>& amIdUpperParts() const { return m_idUpperParts[1]; }
    const std::vector<std::string>& places() const { return m_places; }

    // --- matches ---
    MatchRow getMatch(const std::string& id) const;
    std::vector<MatchRow> getMatchHistory(int side, long long dentalId) const;
    std::vector<MatchRow> getResolvedMatches() const;
    // getResolvedMatches through buildPairKindIndex.
    PairOutcomeMap loadPairOutcomes() const;
    void replaceMatchHistory(int side, const std::vector<MatchRow>& rows);
    void linkPendingMatches(int side, const std::string& displayId);
    void insertMatches(const std::vector<MatchRow>& rows);

    // --- settings ---
    SearchSettings& settings() { return m_settings; }
    const SearchSettings& settings() const { return m_settings; }
    void resetSettings() { m_settings.reset(); }
    // 0 both rows read, 1 a row is missing, 2 row 2 carried the project name.
    int loadSettings5();
    // Inserts the rows that are missing (from the settings in memory) before reading.
    void loadSettings6();
    void saveSettings5(SettingsWrite mode);
    void saveSettings6(SettingsWrite mode);
    // Writes the rows of TB_SETUP anew: updates the rows that exist, inserts the missing ones.
    void repairSettings5();
    // Updates both tables from the settings in memory (after the settings window's OK); the
    // project save makes it permanent.
    void saveSettings();
    // Takes the main window's search choices: when they differ from the stored ones they are
    // kept and both tables updated. Returns true when anything changed.
    bool storeSearchConditions(const SearchConditions& conditions);

    // --- change history ---
    // Every write above leaves its row in the change history, in the project transaction.
    ProjectJournal& journal() { return m_journal; }
    const ProjectJournal& journal() const { return m_journal; }
    // The examiner's name for this run, written into every history row.
    void setExaminer(std::string name) { m_journal.setExaminer(std::move(name)); }
    const std::string& examiner() const { return m_journal.examiner(); }
    std::vector<JournalRow> loadJournal(const journal::JournalQuery& query = {}) const;
    // Writes that this run's examiner checked the record's chart (whether they may is the
    // caller's rule); saved with the project.
    void recordChartCheck(int side, long long dentalId);

    // --- change flags ---
    bool recordsChangedPM() const { return m_recordsChangedPM; }
    bool recordsChangedAM() const { return m_recordsChangedAM; }
    bool settingsOrMatchesChanged() const { return m_settingsOrMatchesChanged; }
    bool anyChanged() const {
        return m_recordsChangedPM || m_recordsChangedAM || m_settingsOrMatchesChanged;
    }
    void clearChangeFlags();
    void setSettingsOrMatchesChanged() { m_settingsOrMatchesChanged = true; }

    // --- another project file ---
    // Reads the records of both sides and the complete match rows of another project file,
    // opened read-only. Throws StoreError (102 when it cannot be opened).
    static void readOtherProject(const std::string& path, std::vector<DentalRecord>& pmRecords,
                                 std::vector<DentalRecord>& amRecords,
                                 std::vector<MatchRow>& matchRows);
    // The change history of another project file, opened read-only; empty when it has none.
    static std::vector<JournalRow> readOtherJournal(const std::string& path);

private:
    static int sideIndex(int side) { return side == PostMortem ? 0 : 1; }
    void markRecordsChanged(int side);
    // Lets the statements kept for many rows go, before a commit or a close.
    void releaseStatements();
    void writeSettings(SettingsTable table, SettingsWrite mode);
    void insertSettingsRowAt(SettingsTable table, int n);
    void commitSettingsInsert();
    SearchSettings storedSettings() const;
    void journalDeletion(int side, const DentalRecord& record,
                         const std::vector<MatchRow>& history);
    void journalHistory(int side, const std::string& ownKey, const std::vector<MatchRow>& before,
                        const std::vector<MatchRow>& removed, const std::vector<MatchRow>& rows);

    ProjectDatabase m_database;
    ProjectJournal m_journal{m_database};
    RecordInserter m_inserter{m_database};
    std::string m_projectFolder;
    std::string m_projectFileName;
    std::string m_pictureFolder;
    SearchSettings m_settings;
    RecordEntry m_entry;
    std::vector<MatchRow> m_entryMatches;
    std::array<std::vector<std::string>, 2> m_idUpperParts;
    std::vector<std::string> m_places;
    std::array<std::vector<DentalRecord>, 2> m_records;
    bool m_recordsChangedPM = false;
    bool m_recordsChangedAM = false;
    bool m_settingsOrMatchesChanged = false;
};

} // namespace qdx
