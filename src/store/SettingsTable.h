#pragma once

#include "store/SettingsRow.h"

#include <array>
#include <string>

namespace qdx {

class ProjectDatabase;

// The two settings tables: TB_SETUP for the five-class search, TB_SETUP_PRO for the
// hierarchical six-class one. Row ID 1 serves direction 0, row ID 2 direction 1.
enum class SettingsTable { Setup5, Setup6 };

namespace settings {

const char* tableName(SettingsTable table); // "TB_SETUP" / "TB_SETUP_PRO"
std::string keyColumn(SettingsTable table); // "TB_SETUP.ID" / "TB_SETUP_PRO.ID"
int scoreCount(SettingsTable table);        // 25 / 36
int rulerCount(SettingsTable table);        // 5 / 6

// The statement texts as executed.
std::string selectText(SettingsTable table);
std::string insertText(SettingsTable table);
std::string updateText(SettingsTable table);

// The stored MATCH column is the inverse of the in-memory flag: "1" <-> "0", anything else
// maps to "1".
std::string invertMatchColumn(const std::string& value);

// Row `id` (1 or 2); a row with empty ID when it does not exist.
SettingsRow selectSettingsRow(const ProjectDatabase& db, SettingsTable table, int id);
// Rows 1 and 2 as selectSettingsRow reads them, by one statement run twice.
std::array<SettingsRow, 2> selectSettingsRows(const ProjectDatabase& db, SettingsTable table);
// The row's ID is not written; SQLite assigns it.
void insertSettingsRow(const ProjectDatabase& db, SettingsTable table, const SettingsRow& row);
void updateSettingsRow(const ProjectDatabase& db, SettingsTable table, const SettingsRow& row);

} // namespace settings
} // namespace qdx
