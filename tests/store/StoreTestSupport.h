#pragma once

#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace qdx::test {

// Runs a statement on a connection and fails the test when SQLite refuses it.
inline void exec(sqlite3* connection, const std::string& sql) {
    char* error = nullptr;
    const int result = sqlite3_exec(connection, sql.c_str(), nullptr, nullptr, &error);
    ASSERT_EQ(result, SQLITE_OK) << sql << ": " << (error ? error : "");
}

// Every row of a query, each column as text ("" for NULL), columns joined by "|".
inline std::vector<std::string> rowsOf(sqlite3* connection, const std::string& sql) {
    std::vector<std::string> rows;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(connection, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sql << ": " << sqlite3_errmsg(connection);
        return rows;
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            const unsigned char* text = sqlite3_column_text(st, i);
            row += (i ? "|" : "") + std::string(text ? reinterpret_cast<const char*>(text) : "");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(st);
    return rows;
}

inline std::string firstOf(sqlite3* connection, const std::string& sql) {
    const auto rows = rowsOf(connection, sql);
    return rows.empty() ? std::string("<none>") : rows.front();
}

// A connection of its own on a project file that no model holds open.
class RawFile {
public:
    explicit RawFile(const std::string& path) {
        EXPECT_EQ(sqlite3_open(path.c_str(), &m_connection), SQLITE_OK);
    }
    ~RawFile() { sqlite3_close(m_connection); }
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;
    sqlite3* get() const { return m_connection; }

private:
    sqlite3* m_connection = nullptr;
};

// Opens (or creates) `name`.qdx in the folder as both shells do.
inline ProjectOpenResult openIn(ProjectModel& model, const TempDir& dir, const std::string& name) {
    return openProjectFile(model, splitProjectPath(dir.file(name + ".qdx")));
}

inline sqlite3* connectionOf(const ProjectModel& model) {
    return model.database().connection();
}

// Stores a record through the model's entry, as the entry dialog does for a new record.
inline void storeNew(ProjectModel& model, int side, const std::string& upper,
                     const std::string& lower, const std::string& place = {}) {
    model.clearEntry();
    model.entry().side = side;
    model.entry().upperIdPart = upper;
    model.entry().lowerIdPart = lower;
    model.entry().place = place;
    model.storeEntry();
}

inline long long keyOf(const ProjectModel& model, int side, const std::string& displayId) {
    long long key = 0;
    model.isIdFree(side, displayId, key);
    return key;
}

} // namespace qdx::test
