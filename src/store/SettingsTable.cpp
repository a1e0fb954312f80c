#include "store/SettingsTable.h"

#include "store/ProjectDatabase.h"
#include "store/TableStatement.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace qdx {

namespace settings {

namespace {

// The column list after ID, as the statements name it.
std::vector<std::string> columnNames(SettingsTable table) {
    std::vector<std::string> names = {"PROJECTNAME", "FACTOR"};
    for (int k = 1; k <= scoreCount(table); ++k)
        names.push_back("SCORE" + std::to_string(k));
    for (const char* name : {"DIVISION", "RANK", "SORT", "MATCH", "BRIDGE"})
        names.emplace_back(name);
    for (int k = 1; k <= rulerCount(table); ++k)
        names.push_back("RULER" + std::to_string(k));
    return names;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

// Index of the first column after the scores in the select's result.
int firstAfterScores(SettingsTable table) {
    return 3 + scoreCount(table);
}

void bindRow(TableStatement& st, SettingsTable table, const SettingsRow& row) {
    st.bindText("@PROJECTNAME", toDatabaseText(row.PROJECTNAME));
    st.bindText("@FACTOR", row.FACTOR);
    for (int k = 1; k <= scoreCount(table); ++k) {
        const std::string name = "@SCORE" + std::to_string(k);
        st.bindText(name.c_str(), row.SCORE[static_cast<std::size_t>(k - 1)]);
    }
    st.bindText("@DIVISION", row.DIVISION);
    st.bindText("@RANK", row.RANK);
    st.bindText("@SORT", row.SORT);
    st.bindText("@MATCH", invertMatchColumn(row.MATCH));
    st.bindText("@BRIDGE", row.BRIDGE);
    for (int k = 1; k <= rulerCount(table); ++k) {
        const std::string name = "@RULER" + std::to_string(k);
        st.bindText(name.c_str(), toDatabaseText(row.RULER[static_cast<std::size_t>(k - 1)]));
    }
}

} // namespace

const char* tableName(SettingsTable table) {
    return table == SettingsTable::Setup5 ? "TB_SETUP" : "TB_SETUP_PRO";
}

std::string keyColumn(SettingsTable table) {
    return std::string(tableName(table)) + ".ID";
}

int scoreCount(SettingsTable table) {
    return table == SettingsTable::Setup5 ? 25 : 36;
}

int rulerCount(SettingsTable table) {
    return table == SettingsTable::Setup5 ? 5 : 6;
}

std::string selectText(SettingsTable table) {
    const std::string prefix = std::string(tableName(table)) + ".";
    std::vector<std::string> qualified;
    for (const std::string& name : columnNames(table))
        qualified.push_back(prefix + name);
    return "SELECT " + prefix + "ID," + joined(qualified) + "  FROM " + tableName(table);
}

std::string insertText(SettingsTable table) {
    std::vector<std::string> parameters;
    for (const std::string& name : columnNames(table))
        parameters.push_back("@" + name);
    return "INSERT INTO " + std::string(tableName(table)) + " (" + joined(columnNames(table)) +
           " ) VALUES(" + joined(parameters) + " );";
}

std::string updateText(SettingsTable table) {
    std::vector<std::string> assignments;
    for (const std::string& name : columnNames(table))
        assignments.push_back(name + "=@" + name);
    return "UPDATE " + std::string(tableName(table)) + " SET " + joined(assignments) + " ";
}

std::string invertMatchColumn(const std::string& value) {
    return value == "1" ? "0" : "1";
}

namespace {

// The row the statement stands on; every field empty (and MATCH "1") past the last row.
SettingsRow readRow(const TableStatement& st, SettingsTable table) {
    SettingsRow row;
    row.ID = st.columnText(0);
    row.PROJECTNAME = fromDatabaseText(st.columnText(1));
    row.FACTOR = st.columnText(2);
    for (int k = 0; k < scoreCount(table); ++k)
        row.SCORE[static_cast<std::size_t>(k)] = st.columnText(3 + k);
    const int next = firstAfterScores(table);
    row.DIVISION = st.columnText(next);
    row.RANK = st.columnText(next + 1);
    row.SORT = st.columnText(next + 2);
    row.MATCH = invertMatchColumn(st.columnText(next + 3));
    row.BRIDGE = st.columnText(next + 4);
    for (int k = 0; k < rulerCount(table); ++k)
        row.RULER[static_cast<std::size_t>(k)] = fromDatabaseText(st.columnText(next + 5 + k));
    return row;
}

} // namespace

SettingsRow selectSettingsRow(const ProjectDatabase& db, SettingsTable table, int id) {
    TableStatement st(db, keyColumn(table));
    st.sql = selectText(table);
    st.prepareWhereKey(std::to_string(id));
    st.step();
    return readRow(st, table);
}

std::array<SettingsRow, 2> selectSettingsRows(const ProjectDatabase& db, SettingsTable table) {
    // The wide statement is prepared once: on a project just opened each preparation costs
    // about as much as the rest of reading the settings.
    TableStatement st(db, keyColumn(table));
    st.sql = selectText(table);
    st.prepareWhereKey("?1");
    std::array<SettingsRow, 2> rows;
    for (int n = 1; n <= 2; ++n) {
        st.rewind();
        st.bindIntegerAt(1, n);
        st.step();
        rows[static_cast<std::size_t>(n - 1)] = readRow(st, table);
    }
    return rows;
}

void insertSettingsRow(const ProjectDatabase& db, SettingsTable table, const SettingsRow& row) {
    TableStatement st(db, keyColumn(table));
    st.sql = insertText(table);
    st.prepareInsert();
    bindRow(st, table, row);
    st.step();
}

void updateSettingsRow(const ProjectDatabase& db, SettingsTable table, const SettingsRow& row) {
    TableStatement st(db, keyColumn(table));
    st.sql = updateText(table);
    st.prepareUpdateWhereKey(std::to_string(std::atoll(row.ID.c_str())));
    bindRow(st, table, row);
    st.step();
}

} // namespace settings
} // namespace qdx
