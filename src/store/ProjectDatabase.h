#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <string_view>

struct sqlite3;

namespace qdx {

// The text conversions at the database boundary. The program holds UTF-8, so both are the
// identity; they stay named so every converted column is visible as such.
inline const std::string& toDatabaseText(const std::string& text) {
    return text;
}
inline const std::string& fromDatabaseText(const std::string& text) {
    return text;
}
inline std::string_view fromDatabaseText(std::string_view text) {
    return text;
}

// One open project file. A read-write project holds one EXCLUSIVE transaction for as long as it
// is open: writes reach the file at once and become permanent on save; close(false) rolls back.
class ProjectDatabase {
public:
    ProjectDatabase() = default;
    ~ProjectDatabase();
    ProjectDatabase(const ProjectDatabase&) = delete;
    ProjectDatabase& operator=(const ProjectDatabase&) = delete;

    // For a program that uses its connections from one thread at a time (the command-line
    // tool): SQLite then takes no lock around each call, which makes reading long lists faster.
    static void useFromOneThread() { s_oneThread = true; }

    // Opens or creates the file, creates missing tables and begins the project transaction.
    // Throws StoreError 102, 103, 104 or 112; on failure the connection is closed.
    void open(const std::string& path);
    // Opens another project file read-only: no schema, no transaction. Throws 102.
    void openReadOnly(const std::string& path);
    // COMMIT then BEGIN EXCLUSIVE (105, 104); a failure closes the connection. When the file
    // opened is no longer at its path (removed or replaced), nothing is committed into it: the
    // transaction is rolled back, the connection closed and 114 thrown.
    void save();
    // COMMIT (true) or ROLLBACK (false), then closes (105, 106; 114 as for save). A read-only
    // connection is only closed.
    void close(bool commit);
    // False when the path no longer names the file that was opened.
    bool fileInPlace() const;

    bool isOpen() const { return m_connection != nullptr; }
    // False once SQLite has ended the project transaction of an open read-write project by
    // itself: an I/O error, a full disk or a trigger's RAISE(ROLLBACK) roll the whole
    // transaction back, and every later write would reach the file at once.
    bool holdsTransaction() const;
    bool isReadOnly() const { return m_readOnly; }
    // The connection's current error text, or the text captured when a failure closed it.
    std::string errorText() const;
    sqlite3* connection() const { return m_connection; }
    // Counts closes, so statements prepared before one know they were finalized by it.
    unsigned closeCount() const { return m_closeCount; }

    // The statements that create the five tables, in the order they run.
    static const char* const* schemaStatements();
    static constexpr int kSchemaStatementCount = 5;

private:
    static inline bool s_oneThread = false;
    [[noreturn]] void failAndClose(int id);
    void closeConnection();
    void refuseCommitIntoLostFile();

    sqlite3* m_connection = nullptr;
    std::string m_lastErrorText;
    std::string m_path;
    platform::FileIdentity m_opened;
    bool m_readOnly = false;
    unsigned m_closeCount = 0;
};

} // namespace qdx
