#pragma once

#include "io/ImportLog.h"
#include "io/TextCodec.h"
#include "model/RecordId.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "store/RecordTable.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <regex>
#include <sstream>

namespace qdx::test {

inline std::string dataFile(const std::string& name) {
    return std::string(QDX_TEST_DATA_DIR) + "/io/" + name;
}

// A project file in a temp folder, open in a model, with a separate folder for the log.
struct ProjectFixture {
    TempDir dir;
    ProjectModel model;

    explicit ProjectFixture(const std::string& name = "test") {
        openProjectFile(model, splitProjectPath(dir.file(name + ".qdx")));
    }
    std::filesystem::path logFolder() const { return dir.path() / "QuendixFree"; }
    std::string projectPath() const { return model.projectPath(); }

    DentalRecord record(int side, const std::string& upper, const std::string& lower) const {
        return records::selectRecordById(model.database(), side, upper, lower);
    }
    std::size_t count(int side) const {
        return records::selectRecords(model.database(), side).size();
    }
};

struct LogLine {
    std::string level;
    int check = 0;
    std::string message;
};

// The lines of the import log, parsed; the message is everything after the fourth comma.
inline std::vector<LogLine> readLog(const std::filesystem::path& folder) {
    const std::string bytes = readBytes((folder / "CsvFileCtrl.csv").string());
    std::vector<LogLine> lines;
    const std::regex pattern(
        R"(^\d{4}/\d\d/\d\d \d\d:\d\d:\d\d,\[([WID])\],\[csvfilectrl\],(\d+),(.*)$)");
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "log line without CR LF";
        if (end == std::string::npos) {
            break;
        }
        const std::string line = TextCodec::toUtf8(bytes.substr(start, end - start));
        std::smatch m;
        EXPECT_TRUE(std::regex_match(line, m, pattern)) << line;
        if (m.size() == 4) {
            lines.push_back({m[1].str(), std::stoi(m[2].str()), m[3].str()});
        }
        start = end + 2;
    }
    return lines;
}

inline std::vector<LogLine> withCheck(const std::vector<LogLine>& lines, int check) {
    std::vector<LogLine> out;
    for (const LogLine& l : lines) {
        if (l.check == check) {
            out.push_back(l);
        }
    }
    return out;
}

inline void writeCp932(const std::string& path, const std::string& utf8) {
    writeBytes(path, TextCodec::toCp932(utf8));
}

// Makes the project file refuse the inserts into `table` whose new row meets `when` (SQL on
// NEW) with the database text "refused". With `wholeTransaction` the refusal rolls back the
// connection's transaction, as SQLite does on I/O and disk-full errors.
inline bool refuseInsertsWhere(const std::string& path, const std::string& table,
                               const std::string& when, bool wholeTransaction = false) {
    sqlite3* db = nullptr;
    const std::string sql = "CREATE TRIGGER refuse_some BEFORE INSERT ON " + table + " WHEN " +
                            when + " BEGIN SELECT RAISE(" +
                            (wholeTransaction ? "ROLLBACK" : "ABORT") + ", 'refused'); END;";
    const bool ok =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace qdx::test
