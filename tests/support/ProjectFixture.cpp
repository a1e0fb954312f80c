#include "support/ProjectFixture.h"

#include "store/MatchTable.h"
#include "store/ProjectOpen.h"
#include "store/RecordTable.h"

#include <sqlite3.h>

namespace qdx::test {

DentalRecord chartRecord(const std::string& displayId, const std::string& classes,
                         const std::string& sex, const std::string& deciduous) {
    DentalRecord record;
    record.displayId = displayId;
    record.sex = sex;
    record.classChart = classes;
    record.presentChart = std::string(32, '0');
    for (std::size_t i = 0; i < classes.size(); ++i)
        if (classes[i] == '6') {
            record.classChart[i] = '5';
            record.presentChart[i] = '1';
        }
    record.deciduousChart = deciduous;
    record.UpdateTime = "2026-03-11";
    return record;
}

MatchRow matchRow(int pmKey, int amKey, const std::string& kind) {
    MatchRow row;
    row.ID_AFTER = std::to_string(pmKey);
    row.ID_BEFOR = std::to_string(amKey);
    row.KIND = MatchKind::fromStored(kind);
    return row;
}

DentalRecord randomRecord(std::mt19937& rng, const std::string& displayId, bool deciduous) {
    DentalRecord r;
    r.displayId = displayId;
    r.sex = std::to_string(rng() % 3);
    for (int i = 0; i < kToothCount; ++i) {
        r.classChart[i] = static_cast<char>('1' + rng() % 5);
        if (deciduous)
            r.deciduousChart[i] = rng() % 9 == 0 ? '1' : '0';
    }
    return r;
}

std::vector<MatchRow> cycledMatchRows(const std::vector<std::string>& kinds) {
    std::vector<MatchRow> rows;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        MatchRow row;
        row.ID_AFTER = std::to_string(i + 1);
        row.ID_BEFOR = std::to_string(i % 3 + 1);
        row.KIND = MatchKind::fromStored(kinds[i]);
        rows.push_back(row);
    }
    return rows;
}

void writeProject(const std::string& path, const std::vector<DentalRecord>& pm,
                  const std::vector<DentalRecord>& am, const std::vector<MatchRow>& rows) {
    ProjectModel model;
    openProjectFile(model, splitProjectPath(path));
    for (const DentalRecord& record : pm)
        records::insertRecord(model.database(), PostMortem, record);
    for (const DentalRecord& record : am)
        records::insertRecord(model.database(), AnteMortem, record);
    for (const MatchRow& row : rows)
        matches::insertMatch(model.database(), row);
    model.save();
    model.close(true);
}

void writeEnteredProject(const std::string& path, const std::vector<EnteredRecord>& pm,
                         const std::vector<EnteredRecord>& am, const std::vector<MatchRow>& rows) {
    ProjectModel model;
    openProjectFile(model, splitProjectPath(path));
    for (int side = 0; side < 2; ++side) {
        for (const EnteredRecord& r : side == 0 ? pm : am) {
            model.clearEntry();
            RecordEntry& e = model.entry();
            e.side = side;
            e.upperIdPart = r.upper;
            e.lowerIdPart = r.lower;
            for (std::size_t i = 0; i < 32; ++i) {
                e.classes[i] = r.classes[i] - '0';
                e.present[i] = r.present[i] - '0';
                e.bridges[i] = r.bridges[i] - '0';
            }
            model.storeEntry();
        }
    }
    model.insertMatches(rows);
    model.save();
    model.close(true);
}

void openWithLists(ProjectModel& model, const std::string& path) {
    openProjectFile(model, splitProjectPath(path));
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
}

long long countOnDisk(const std::string& path, const std::string& query) {
    sqlite3* db = nullptr;
    long long value = -1;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, query.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            value = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return value;
}

std::string textOnDisk(const std::string& path, const std::string& query) {
    sqlite3* db = nullptr;
    std::string value = "(none)";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, query.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
            value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return value;
}

namespace {

bool addInsertTrigger(const std::string& path, const std::string& table, const std::string& raise) {
    sqlite3* db = nullptr;
    const std::string sql = "CREATE TRIGGER raise_" + table + " BEFORE INSERT ON " + table +
                            " BEGIN SELECT " + raise + "; END;";
    const bool ok =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace

bool refuseInsertsOnDisk(const std::string& path, const std::string& table) {
    return addInsertTrigger(path, table, "RAISE(ABORT, 'refused')");
}

bool rollBackInsertsOnDisk(const std::string& path, const std::string& table) {
    return addInsertTrigger(path, table, "RAISE(ROLLBACK, 'database or disk is full')");
}

} // namespace qdx::test
