#pragma once

#include "model/DentalRecord.h"
#include "store/MatchRow.h"
#include "store/MatchTable.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "store/RecordTable.h"

#include <string>
#include <vector>

namespace qdx::test {

// A record with the ID and chart given; classChart may use '6' for class 5 with the tooth
// present, and the deciduous chart defaults to all permanent.
inline DentalRecord chartRecord(const std::string& displayId, const std::string& classes,
                                const std::string& sex = "0",
                                const std::string& deciduous = std::string(32, '0')) {
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

inline MatchRow matchRow(int pmKey, int amKey, const std::string& kind) {
    MatchRow row;
    row.ID_AFTER = std::to_string(pmKey);
    row.ID_BEFOR = std::to_string(amKey);
    row.KIND = kind;
    return row;
}

// Creates a project with the records (keys 1, 2, ... per side in the order given) and the
// match rows, saved and closed.
inline void writeProject(const std::string& path, const std::vector<DentalRecord>& pm,
                         const std::vector<DentalRecord>& am,
                         const std::vector<MatchRow>& rows = {}) {
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

} // namespace qdx::test
