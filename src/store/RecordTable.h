#pragma once

#include "model/DentalRecord.h"

#include <string>
#include <vector>

namespace qdx {

class ProjectDatabase;

// The post-mortem (TB_AFTER) and ante-mortem (TB_BEFOR) record tables; `side` picks one.
namespace records {

const char* tableName(int side);
// "TB_AFTER.Dental_ID" or "TB_BEFOR.Dental_ID".
std::string keyColumn(int side);

// The statement texts as executed, for the side's table.
std::string selectAllText(int side);      // ordered by ID
std::string selectPlainText(int side);    // no order
std::string selectJoinText(int side);     // with match summary
std::string selectJoinListText(int side); // with match summary, ordered by ID
std::string insertText(int side);
std::string updateText(int side);
std::string deleteText(int side);

std::vector<DentalRecord> selectRecords(const ProjectDatabase& db, int side);
std::vector<DentalRecord> selectRecordsWithMatch(const ProjectDatabase& db, int side);
DentalRecord selectRecordWithMatchByKey(const ProjectDatabase& db, int side,
                                        const std::string& dentalId);
DentalRecord selectRecordByKey(const ProjectDatabase& db, int side, const std::string& dentalId);
DentalRecord selectRecordById(const ProjectDatabase& db, int side, const std::string& upper,
                              const std::string& lower);
void insertRecord(const ProjectDatabase& db, int side, const DentalRecord& record);
// Leaves UpdateTime as stored.
void updateRecord(const ProjectDatabase& db, int side, const DentalRecord& record);
// Match rows are not touched here.
void deleteRecord(const ProjectDatabase& db, int side, const std::string& dentalId);

std::vector<std::string> selectIdUpperParts(const ProjectDatabase& db, int side);
std::vector<std::string> selectIdLowerParts(const ProjectDatabase& db, int side,
                                            const std::string& upper);
// Post-mortem places only.
std::vector<std::string> selectPlaces(const ProjectDatabase& db);
// Number of records with the ID; when exactly one, its Dental_ID instead.
long long countById(const ProjectDatabase& db, int side, const std::string& upper,
                    const std::string& lower);

} // namespace records
} // namespace qdx
