#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qdx {

class ProjectDatabase;

// One row of the change history (TB_JOURNAL): who changed what, and when. Every field is text.
struct JournalRow {
    std::string ID;
    std::string TIME;      // local time "%Y/%m/%d %H:%M:%S"
    std::string EXAMINER;  // the examiner's name given for the run; may be empty
    std::string LOGIN;     // the operating system's login name
    std::string KIND;      // one of the journal kinds below
    std::string SIDE;      // "0" post-mortem, "1" ante-mortem; "" for a change of the project
    std::string Dental_ID; // the record's key; "" for a change of the project
    std::string EXT_ID;    // the record's ID text when the change was written
    std::string TEETH;     // the teeth that changed, old → new; empty when the chart stayed
    std::string DETAIL;    // the rest of the change in readable form
    std::string ORIGIN;    // the project file a merged row came from; empty for the project's own

    // The name an examiner is known by: the given name, or the login name without one.
    std::string who() const { return EXAMINER.empty() ? LOGIN : EXAMINER; }
    bool isRecordRow() const { return !Dental_ID.empty(); }
};

// The table of the change history. Programs that do not know it ignore it; files without it
// gain it when opened.
namespace journal {

// What a row records, as stored in KIND.
inline constexpr const char* kAdded = "ADD";
inline constexpr const char* kModified = "EDIT";
inline constexpr const char* kDeleted = "DELETE";
inline constexpr const char* kMatches = "MATCH";
inline constexpr const char* kSettings = "SETTINGS";
inline constexpr const char* kPenImport = "IMPORT_PEN";
inline constexpr const char* kOesImport = "IMPORT_OES";
inline constexpr const char* kMerge = "MERGE";
inline constexpr const char* kDataMatching = "DATAMATCH";
inline constexpr const char* kChecked = "CHECK";
inline constexpr const char* kDemo = "DEMO";
inline constexpr const char* kReport = "REPORT"; // an identification report printed

// The statements that create the table and its index (the log of one record reads through it).
const char* schemaText();
const char* indexText();

// Which rows to read; every condition left out takes all.
struct JournalQuery {
    std::optional<int> side; // with dentalId: the rows of one record
    long long dentalId = 0;
    std::string examiner;        // rows whose who() is this
    std::string kind;            // rows of this KIND
    bool chartAndChecks = false; // only rows that changed, checked or deleted a chart
};

// The rows in the order they were written.
std::vector<JournalRow> selectJournal(const ProjectDatabase& db, const JournalQuery& query = {});
// The same rows handed to `take` one by one, which may move from the row: the whole history of
// a large project is read without a second copy of it.
void readJournal(const ProjectDatabase& db, const JournalQuery& query,
                 const std::function<void(JournalRow&)>& take);
// The examiners (who()) that wrote rows, in text order.
std::vector<std::string> selectExaminers(const ProjectDatabase& db);
// True when the file has the table (a file no program of ours opened for writing may lack it).
bool hasJournal(const ProjectDatabase& db);

} // namespace journal
} // namespace qdx
