#pragma once

#include "model/DentalRecord.h"
#include "store/MatchRow.h"
#include "store/MatchTable.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "support/TestFiles.h"

#include <random>

// Tests that change the file on disk behind the model use SQLite directly.
#include <sqlite3.h>
#include <string>
#include <vector>

namespace qdx::test {

// Project files for tests: records written straight into the tables (writeProject), or
// through the record entry as the entry dialog stores them (writeEnteredProject).

// A record with the ID and chart given; classChart may use '6' for class 5 with the tooth
// present, and the deciduous chart defaults to all permanent.
DentalRecord chartRecord(const std::string& displayId, const std::string& classes,
                         const std::string& sex = "0",
                         const std::string& deciduous = std::string(32, '0'));

// A record with the ID, a random sex and random classes 1 to 5 drawn from `rng`; with
// `deciduous` also a random deciduous chart (about one tooth in nine), drawn tooth by tooth
// between the classes.
DentalRecord randomRecord(std::mt19937& rng, const std::string& displayId, bool deciduous);

// Match rows of the kinds given: the n-th row pairs post-mortem key n+1 with ante-mortem key
// n%3+1 (the other columns empty).
std::vector<MatchRow> cycledMatchRows(const std::vector<std::string>& kinds);

// A complete match row between the post-mortem and ante-mortem records with these keys.
MatchRow matchRow(int pmKey, int amKey, const std::string& kind);

// Creates a project with the records (keys 1, 2, ... per side in the order given) and the
// match rows, saved and closed.
void writeProject(const std::string& path, const std::vector<DentalRecord>& pm,
                  const std::vector<DentalRecord>& am, const std::vector<MatchRow>& rows = {});

// A record as typed into the entry: ID parts and the 32 classes, present and bridge flags as
// digit strings.
struct EnteredRecord {
    std::string upper;
    std::string lower;
    std::string classes = std::string(32, '5');
    std::string present = std::string(32, '0');
    std::string bridges = std::string(32, '0');
};

// Like writeProject, with every record stored through the project model's entry.
void writeEnteredProject(const std::string& path, const std::vector<EnteredRecord>& pm,
                         const std::vector<EnteredRecord>& am,
                         const std::vector<MatchRow>& rows = {});

// Opens the project and loads both record lists, as the main window has them when it opens a
// search window.
void openWithLists(ProjectModel& model, const std::string& path);

// A number read from the file on disk through its own connection (-1 when it cannot be read).
long long countOnDisk(const std::string& path, const std::string& query);

// The first column of the first row a query gives on a project file that no model holds
// open, read through a connection of its own; "(none)" when there is no such row.
std::string textOnDisk(const std::string& path, const std::string& query);

// Makes every insert into the table of a project file that no model holds open fail with the
// database text "refused" (a trigger). False when the file could not be changed.
bool refuseInsertsOnDisk(const std::string& path, const std::string& table);

// Makes every insert into the table of a project file that no model holds open roll the whole
// project transaction back, as an I/O error or a full disk does (a trigger raising ROLLBACK
// with the text "database or disk is full"). False when the file could not be changed.
bool rollBackInsertsOnDisk(const std::string& path, const std::string& table);

} // namespace qdx::test
