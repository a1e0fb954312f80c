#pragma once

#include "store/JournalTable.h"

#include <ctime>
#include <memory>
#include <string>

namespace qdx {

class ProjectDatabase;
class TableStatement;

// Writes the change history of the open project: each row with the time, the examiner's name
// for the run and the login name, into the project transaction, so it is saved or discarded
// with the change it records. One insert statement is kept for every row of a run, as an
// import writes one per record.
class ProjectJournal {
public:
    explicit ProjectJournal(const ProjectDatabase& database);
    ~ProjectJournal();
    ProjectJournal(const ProjectJournal&) = delete;
    ProjectJournal& operator=(const ProjectJournal&) = delete;

    // The examiner's name for this run (may be empty); kept for the run only.
    void setExaminer(std::string name) { m_examiner = std::move(name); }
    const std::string& examiner() const { return m_examiner; }
    const std::string& login() const { return m_login; }
    // The name this run's rows are known by (JournalRow::who).
    std::string who() const { return m_examiner.empty() ? m_login : m_examiner; }

    // Stamps the row with now, the examiner and the login name and inserts it.
    void write(JournalRow row);
    // Inserts a row as it is (a row carried over from another project keeps its stamp).
    void writeAsIs(const JournalRow& row);
    // A row about a record.
    void writeRecord(const char* kind, int side, long long dentalId, const std::string& extId,
                     std::string teeth, std::string detail);
    // A row about the project (an import, a merge, data matching, the settings).
    void writeProject(const char* kind, int side, std::string detail);

    // While a batch runs (an import, a merge) every record row notes it in its detail and the
    // rows are counted.
    struct BatchCounts {
        int added = 0;
        int modified = 0;
    };
    void beginBatch(std::string note);
    BatchCounts endBatch();
    const std::string& batchNote() const { return m_batchNote; }

    // Lets the kept statement go (before the connection closes).
    void release();

private:
    // Now as the rows stamp it.
    const std::string& timeNow();

    const ProjectDatabase& m_database;
    std::unique_ptr<TableStatement> m_insert;
    std::string m_examiner;
    std::string m_login;
    std::string m_batchNote;
    BatchCounts m_counts;
    std::time_t m_timeSecond = 0;
    std::string m_timeText;
};

// Local time now as the history stamps it, "%Y/%m/%d %H:%M:%S".
std::string journalTimeNow();

} // namespace qdx
