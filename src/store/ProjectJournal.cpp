#include "store/ProjectJournal.h"

#include "platform/LocalTime.h"
#include "platform/LoginName.h"
#include "store/ProjectDatabase.h"
#include "store/TableStatement.h"

#include <sqlite3.h>

#include <ctime>

namespace qdx {

namespace {

const char* const kInsert =
    "INSERT INTO TB_JOURNAL (TIME,EXAMINER,LOGIN,KIND,SIDE,Dental_ID,EXT_ID,TEETH,DETAIL,ORIGIN) "
    "VALUES(@TIME,@EXAMINER,@LOGIN,@KIND,@SIDE,@Dental_ID,@EXT_ID,@TEETH,@DETAIL,@ORIGIN);";
const char* const kTimeFormat = "%Y/%m/%d %H:%M:%S";

} // namespace

std::string journalTimeNow() {
    return platform::formatLocalTime(std::time(nullptr), kTimeFormat);
}

ProjectJournal::ProjectJournal(const ProjectDatabase& database)
    : m_database(database), m_login(platform::loginName()) {}

ProjectJournal::~ProjectJournal() = default;

const std::string& ProjectJournal::timeNow() {
    // An import writes thousands of rows a second; the text changes once a second.
    const std::time_t now = std::time(nullptr);
    if (m_timeText.empty() || now != m_timeSecond) {
        m_timeSecond = now;
        m_timeText = platform::formatLocalTime(now, kTimeFormat);
    }
    return m_timeText;
}

void ProjectJournal::write(JournalRow row) {
    row.TIME = timeNow();
    row.EXAMINER = m_examiner;
    row.LOGIN = m_login;
    writeAsIs(row);
}

void ProjectJournal::writeAsIs(const JournalRow& row) {
    // The row never becomes the connection's last insert: whoever stored a record reads that
    // record's key after it (lastInsertKey), whatever the history wrote meanwhile.
    sqlite3* connection = m_database.connection();
    const sqlite3_int64 lastKey = connection ? sqlite3_last_insert_rowid(connection) : 0;
    if (!m_insert || !m_insert->isPrepared()) {
        m_insert = std::make_unique<TableStatement>(m_database);
        m_insert->sql = kInsert;
        m_insert->prepareInsert();
    }
    TableStatement& st = *m_insert;
    // Rewound on every way out, a failed step included: nothing of the statement stays active
    // over a commit, and the texts bound without a copy are let go with the row.
    struct RewindAfter {
        TableStatement& statement;
        ~RewindAfter() { statement.rewind(); }
    } rewindAfter{st};
    // In the order of the statement's parameters.
    int at = 0;
    for (const std::string* value :
         {&toDatabaseText(row.TIME), &toDatabaseText(row.EXAMINER), &toDatabaseText(row.LOGIN),
          &row.KIND, &row.SIDE, &row.Dental_ID, &toDatabaseText(row.EXT_ID),
          &toDatabaseText(row.TEETH), &toDatabaseText(row.DETAIL), &toDatabaseText(row.ORIGIN)})
        st.bindTextViewAt(++at, *value);
    st.step();
    sqlite3_set_last_insert_rowid(connection, lastKey);
}

void ProjectJournal::writeRecord(const char* kind, int side, long long dentalId,
                                 const std::string& extId, std::string teeth, std::string detail) {
    JournalRow row;
    row.KIND = kind;
    row.SIDE = std::to_string(side);
    row.Dental_ID = std::to_string(dentalId);
    row.EXT_ID = extId;
    row.TEETH = std::move(teeth);
    row.DETAIL = std::move(detail);
    if (!m_batchNote.empty()) {
        row.DETAIL = row.DETAIL.empty() ? m_batchNote : m_batchNote + ": " + row.DETAIL;
        if (row.KIND == journal::kAdded)
            ++m_counts.added;
        else if (row.KIND == journal::kModified)
            ++m_counts.modified;
    }
    write(std::move(row));
}

void ProjectJournal::writeProject(const char* kind, int side, std::string detail) {
    JournalRow row;
    row.KIND = kind;
    if (side >= 0)
        row.SIDE = std::to_string(side);
    row.DETAIL = std::move(detail);
    write(std::move(row));
}

void ProjectJournal::beginBatch(std::string note) {
    m_batchNote = std::move(note);
    m_counts = {};
}

ProjectJournal::BatchCounts ProjectJournal::endBatch() {
    m_batchNote.clear();
    return m_counts;
}

void ProjectJournal::release() {
    m_insert.reset();
}

} // namespace qdx
