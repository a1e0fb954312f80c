#include "store/ProjectDatabase.h"

#include "store/JournalTable.h"
#include "store/StoreError.h"

#include <sqlite3.h>

namespace qdx {

namespace {

// Stored files depend on exactly these table and column names, types and defaults.
static const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS TB_AFTER (Dental_ID INTEGER PRIMARY KEY AUTOINCREMENT,EXT_IDu TEXT "
    "NOT NULL,EXT_IDl TEXT NOT NULL,name TEXT,sex VARCHAR(1),agegroup VARCHAR(2),place "
    "TEXT,summary TEXT,valid VARCHAR(1),dru8 VARCHAR(10) DEFAULT '5000000000',dru7 VARCHAR(10) "
    "DEFAULT '5000000000',dru6 VARCHAR(10) DEFAULT '5000000000',dru5 VARCHAR(10) DEFAULT "
    "'5000000000',dru4 VARCHAR(10) DEFAULT '5000000000',dru3 VARCHAR(10) DEFAULT '5000000000',dru2 "
    "VARCHAR(10) DEFAULT '5000000000',dru1 VARCHAR(10) DEFAULT '5000000000',dlu1 VARCHAR(10) "
    "DEFAULT '5000000000',dlu2 VARCHAR(10) DEFAULT '5000000000',dlu3 VARCHAR(10) DEFAULT "
    "'5000000000',dlu4 VARCHAR(10) DEFAULT '5000000000',dlu5 VARCHAR(10) DEFAULT '5000000000',dlu6 "
    "VARCHAR(10) DEFAULT '5000000000',dlu7 VARCHAR(10) DEFAULT '5000000000',dlu8 VARCHAR(10) "
    "DEFAULT '5000000000',dld8 VARCHAR(10) DEFAULT '5000000000',dld7 VARCHAR(10) DEFAULT "
    "'5000000000',dld6 VARCHAR(10) DEFAULT '5000000000',dld5 VARCHAR(10) DEFAULT '5000000000',dld4 "
    "VARCHAR(10) DEFAULT '5000000000',dld3 VARCHAR(10) DEFAULT '5000000000',dld2 VARCHAR(10) "
    "DEFAULT '5000000000',dld1 VARCHAR(10) DEFAULT '5000000000',drd1 VARCHAR(10) DEFAULT "
    "'5000000000',drd2 VARCHAR(10) DEFAULT '5000000000',drd3 VARCHAR(10) DEFAULT '5000000000',drd4 "
    "VARCHAR(10) DEFAULT '5000000000',drd5 VARCHAR(10) DEFAULT '5000000000',drd6 VARCHAR(10) "
    "DEFAULT '5000000000',drd7 VARCHAR(10) DEFAULT '5000000000',drd8 VARCHAR(10) DEFAULT "
    "'5000000000',UpdateTime DATETIME);",
    "CREATE TABLE IF NOT EXISTS TB_BEFOR (Dental_ID INTEGER PRIMARY KEY AUTOINCREMENT,EXT_IDu TEXT "
    "NOT NULL,EXT_IDl TEXT NOT NULL,name TEXT,sex VARCHAR(1),agegroup VARCHAR(2),place "
    "TEXT,summary TEXT,valid VARCHAR(1),dru8 VARCHAR(10) DEFAULT '5000000000',dru7 VARCHAR(10) "
    "DEFAULT '5000000000',dru6 VARCHAR(10) DEFAULT '5000000000',dru5 VARCHAR(10) DEFAULT "
    "'5000000000',dru4 VARCHAR(10) DEFAULT '5000000000',dru3 VARCHAR(10) DEFAULT '5000000000',dru2 "
    "VARCHAR(10) DEFAULT '5000000000',dru1 VARCHAR(10) DEFAULT '5000000000',dlu1 VARCHAR(10) "
    "DEFAULT '5000000000',dlu2 VARCHAR(10) DEFAULT '5000000000',dlu3 VARCHAR(10) DEFAULT "
    "'5000000000',dlu4 VARCHAR(10) DEFAULT '5000000000',dlu5 VARCHAR(10) DEFAULT '5000000000',dlu6 "
    "VARCHAR(10) DEFAULT '5000000000',dlu7 VARCHAR(10) DEFAULT '5000000000',dlu8 VARCHAR(10) "
    "DEFAULT '5000000000',dld8 VARCHAR(10) DEFAULT '5000000000',dld7 VARCHAR(10) DEFAULT "
    "'5000000000',dld6 VARCHAR(10) DEFAULT '5000000000',dld5 VARCHAR(10) DEFAULT '5000000000',dld4 "
    "VARCHAR(10) DEFAULT '5000000000',dld3 VARCHAR(10) DEFAULT '5000000000',dld2 VARCHAR(10) "
    "DEFAULT '5000000000',dld1 VARCHAR(10) DEFAULT '5000000000',drd1 VARCHAR(10) DEFAULT "
    "'5000000000',drd2 VARCHAR(10) DEFAULT '5000000000',drd3 VARCHAR(10) DEFAULT '5000000000',drd4 "
    "VARCHAR(10) DEFAULT '5000000000',drd5 VARCHAR(10) DEFAULT '5000000000',drd6 VARCHAR(10) "
    "DEFAULT '5000000000',drd7 VARCHAR(10) DEFAULT '5000000000',drd8 VARCHAR(10) DEFAULT "
    "'5000000000',UpdateTime DATETIME);",
    "CREATE TABLE IF NOT EXISTS TB_MATCH (ID INTEGER PRIMARY KEY AUTOINCREMENT,ID_AFTER "
    "INTEGER,ID_BEFOR INTEGER,KIND VARCHAR(1),I_MATCHID TEXT);",
    "CREATE TABLE IF NOT EXISTS TB_SETUP (ID INTEGER PRIMARY KEY AUTOINCREMENT,PROJECTNAME TEXT "
    "DEFAULT 'QUENDIXDEF',FACTOR INTEGER DEFAULT '0',SCORE1 REAL,SCORE2 REAL,SCORE3 REAL,SCORE4 "
    "REAL,SCORE5 REAL,SCORE6 REAL,SCORE7 REAL,SCORE8 REAL,SCORE9 REAL,SCORE10 REAL,SCORE11 "
    "REAL,SCORE12 REAL,SCORE13 REAL,SCORE14 REAL,SCORE15 REAL,SCORE16 REAL,SCORE17 REAL,SCORE18 "
    "REAL,SCORE19 REAL,SCORE20 REAL,SCORE21 REAL,SCORE22 REAL,SCORE23 REAL,SCORE24 REAL,SCORE25 "
    "REAL,DIVISION INTEGER DEFAULT '0',RANK INTEGER DEFAULT '3',SORT INTEGER DEFAULT '0',MATCH "
    "INTEGER DEFAULT '1',BRIDGE INTEGER DEFAULT '0',RULER1 TEXT,RULER2 TEXT,RULER3 TEXT,RULER4 "
    "TEXT,RULER5 TEXT);",
    "CREATE TABLE IF NOT EXISTS TB_SETUP_PRO (ID INTEGER PRIMARY KEY AUTOINCREMENT,PROJECTNAME "
    "TEXT DEFAULT 'QUENDIXDEF',FACTOR INTEGER DEFAULT '0',SCORE1 REAL,SCORE2 REAL,SCORE3 "
    "REAL,SCORE4 REAL,SCORE5 REAL,SCORE6 REAL,SCORE7 REAL,SCORE8 REAL,SCORE9 REAL,SCORE10 "
    "REAL,SCORE11 REAL,SCORE12 REAL,SCORE13 REAL,SCORE14 REAL,SCORE15 REAL,SCORE16 REAL,SCORE17 "
    "REAL,SCORE18 REAL,SCORE19 REAL,SCORE20 REAL,SCORE21 REAL,SCORE22 REAL,SCORE23 REAL,SCORE24 "
    "REAL,SCORE25 REAL,SCORE26 REAL,SCORE27 REAL,SCORE28 REAL,SCORE29 REAL,SCORE30 REAL,SCORE31 "
    "REAL,SCORE32 REAL,SCORE33 REAL,SCORE34 REAL,SCORE35 REAL,SCORE36 REAL,DIVISION INTEGER "
    "DEFAULT '0',RANK INTEGER DEFAULT '3',SORT INTEGER DEFAULT '0',MATCH INTEGER DEFAULT "
    "'1',BRIDGE INTEGER DEFAULT '0',RULER1 TEXT,RULER2 TEXT,RULER3 TEXT,RULER4 TEXT,RULER5 "
    "TEXT,RULER6 TEXT);",
};

// Speed up the list query's per-record match lookups; files stay readable by any reader of the
// tables above.
const char* const kIndexes[] = {
    "CREATE INDEX IF NOT EXISTS IX_TB_MATCH_ID_AFTER ON TB_MATCH (ID_AFTER);",
    "CREATE INDEX IF NOT EXISTS IX_TB_MATCH_ID_BEFOR ON TB_MATCH (ID_BEFOR);",
};

std::string currentError(sqlite3* connection) {
    const char* text = connection ? sqlite3_errmsg(connection) : nullptr;
    return text ? text : "";
}

} // namespace

const char* const* ProjectDatabase::schemaStatements() {
    return kSchema;
}

ProjectDatabase::~ProjectDatabase() {
    if (!m_connection)
        return;
    if (!m_readOnly)
        sqlite3_exec(m_connection, "ROLLBACK", nullptr, nullptr, nullptr);
    closeConnection();
}

void ProjectDatabase::failAndClose(int id) {
    m_lastErrorText = currentError(m_connection);
    closeConnection();
    throw StoreError(id, m_lastErrorText);
}

void ProjectDatabase::closeConnection() {
    if (!m_connection)
        return;
    if (sqlite3_close(m_connection) != SQLITE_OK) {
        while (sqlite3_stmt* statement = sqlite3_next_stmt(m_connection, nullptr))
            sqlite3_finalize(statement);
        sqlite3_close(m_connection);
    }
    m_connection = nullptr;
    m_readOnly = false;
    ++m_closeCount;
}

void ProjectDatabase::open(const std::string& path) {
    if (m_connection)
        close(false);
    m_lastErrorText.clear();
    const int opened = sqlite3_open_v2(toDatabaseText(path).c_str(), &m_connection,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
                                           (s_oneThread ? SQLITE_OPEN_NOMUTEX : 0),
                                       nullptr);
    if (opened != SQLITE_OK)
        failAndClose(ErrOpen);
    const int first = sqlite3_exec(m_connection, kSchema[0], nullptr, nullptr, nullptr);
    if (first == SQLITE_BUSY)
        failAndClose(ErrBusy);
    if (first != SQLITE_OK)
        failAndClose(ErrCreate);
    for (int i = 1; i < kSchemaStatementCount; ++i) {
        if (sqlite3_exec(m_connection, kSchema[i], nullptr, nullptr, nullptr) != SQLITE_OK)
            failAndClose(ErrCreate);
    }
    for (const char* index : kIndexes) {
        if (sqlite3_exec(m_connection, index, nullptr, nullptr, nullptr) != SQLITE_OK)
            failAndClose(ErrCreate);
    }
    // The change history is a table of its own beside the five, so older files gain it here.
    for (const char* statement : {journal::schemaText(), journal::indexText()}) {
        if (sqlite3_exec(m_connection, statement, nullptr, nullptr, nullptr) != SQLITE_OK)
            failAndClose(ErrCreate);
    }
    if (sqlite3_exec(m_connection, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK)
        failAndClose(ErrBegin);
    m_path = path;
    m_opened = platform::fileIdentity(path);
}

bool ProjectDatabase::fileInPlace() const {
    return m_readOnly || !m_connection || platform::fileIdentity(m_path) == m_opened;
}

void ProjectDatabase::refuseCommitIntoLostFile() {
    if (fileInPlace())
        return;
    // A commit would go into a file nobody can reach any more (or, replaced, beside the file
    // that now has the name), and the changes would be gone with the connection.
    sqlite3_exec(m_connection, "ROLLBACK", nullptr, nullptr, nullptr);
    m_lastErrorText = "the file opened is no longer at " + m_path;
    closeConnection();
    throw StoreError(ErrFileGone, m_lastErrorText);
}

void ProjectDatabase::openReadOnly(const std::string& path) {
    if (m_connection)
        close(false);
    m_lastErrorText.clear();
    if (sqlite3_open_v2(toDatabaseText(path).c_str(), &m_connection,
                        SQLITE_OPEN_READONLY | (s_oneThread ? SQLITE_OPEN_NOMUTEX : 0),
                        nullptr) != SQLITE_OK)
        failAndClose(ErrOpen);
    m_readOnly = true;
}

void ProjectDatabase::save() {
    refuseCommitIntoLostFile();
    if (sqlite3_exec(m_connection, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        failAndClose(ErrCommit);
    if (sqlite3_exec(m_connection, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK)
        failAndClose(ErrBegin);
}

void ProjectDatabase::close(bool commit) {
    if (!m_connection)
        return;
    if (!m_readOnly) {
        if (commit)
            refuseCommitIntoLostFile();
        const char* finish = commit ? "COMMIT" : "ROLLBACK";
        if (sqlite3_exec(m_connection, finish, nullptr, nullptr, nullptr) != SQLITE_OK)
            failAndClose(commit ? ErrCommit : ErrRollback);
    }
    closeConnection();
}

bool ProjectDatabase::holdsTransaction() const {
    return m_connection != nullptr && !m_readOnly && sqlite3_get_autocommit(m_connection) == 0;
}

std::string ProjectDatabase::errorText() const {
    return m_connection ? currentError(m_connection) : m_lastErrorText;
}

} // namespace qdx
