#include "io/ProjectMerge.h"

#include "io/RecordKeyIndex.h"
#include "model/RecordId.h"
#include "store/LastInsertKey.h"
#include "store/ProjectModel.h"

#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace qdx {
namespace {

void fillEntry(RecordEntry& entry, const DentalRecord& record, const IdParts& id, int side,
               bool prefixed) {
    entry.upperIdPart = id.upper;
    entry.lowerIdPart = id.lower;
    entry.name = record.name;
    entry.sex = std::atoi(record.sex.c_str());
    entry.agegroup = std::atoi(record.agegroup.c_str());
    entry.place = record.place;
    entry.summary = record.summary;
    entry.registrationDate = record.UpdateTime;
    entry.valid = prefixed ? 2 : 1;
    const ChartStrings chart = record.chart();
    auto digit = [](const std::string& text, int p) {
        return p < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(p)] - '0' : 0;
    };
    for (int p = 0; p < kToothCount; ++p) {
        entry.classes[p] =
            p < static_cast<int>(chart.classChart.size()) ? digit(chart.classChart, p) : 5;
        entry.bridges[p] = digit(chart.bridgeChart, p);
        entry.present[p] = digit(chart.presentChart, p);
        entry.deciduous[p] = digit(chart.deciduousChart, p);
    }
    entry.side = side;
    entry.isUpdate = false;
    entry.dentalId = 0;
}

// The source match rows with, per side, which rows still carry an old key.
class RowRewriter {
public:
    explicit RowRewriter(std::vector<MatchRow>& rows) : m_rows(rows) {
        for (int side = 0; side < 2; ++side) {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                m_byOldKey[side].emplace(rows[i].ownColumn(side), i);
            }
        }
    }

    // Every row naming the old key on the side, and not rewritten before, now names the new
    // key. Each row is rewritten at most once per side, so a new key that equals a later
    // record's old key is never taken for it.
    void rewrite(int side, const std::string& oldKey, const std::string& newKey) {
        auto range = m_byOldKey[side].equal_range(oldKey);
        for (auto it = range.first; it != range.second; ++it) {
            m_rows[it->second].ownColumn(side) = newKey;
        }
        m_byOldKey[side].erase(range.first, range.second);
    }

private:
    std::vector<MatchRow>& m_rows;
    std::unordered_multimap<std::string, std::size_t> m_byOldKey[2];
};

int mergeSide(ProjectModel& model, int side, const std::vector<DentalRecord>& records,
              RowRewriter& rows, bool fastLookup) {
    RecordKeyIndex keys(model, side, fastLookup);
    int prefixings = 0;
    for (const DentalRecord& record : records) {
        std::string displayId = record.displayId;
        IdParts id = splitDisplayId(displayId);
        bool prefixed = false;
        while (keys.find(id.upper, id.lower) != 0) {
            displayId = "IMPORT" + displayId;
            id = splitDisplayId(displayId);
            prefixed = true;
            ++prefixings;
        }
        model.clearEntry();
        fillEntry(model.entry(), record, id, side, prefixed);
        model.storeEntry();
        const long long newKey = lastInsertKey(model.database());
        keys.noteInserted(id.upper, id.lower, newKey);
        rows.rewrite(side, record.Dental_ID, std::to_string(newKey));
    }
    return prefixings;
}

} // namespace

int mergeProject(ProjectModel& model, const std::string& sourcePath, bool fastLookup) {
    std::vector<DentalRecord> pm;
    std::vector<DentalRecord> am;
    std::vector<MatchRow> rows;
    ProjectModel::readOtherProject(sourcePath, pm, am, rows);
    RowRewriter rewriter(rows);
    int prefixings = mergeSide(model, PostMortem, pm, rewriter, fastLookup);
    prefixings += mergeSide(model, AnteMortem, am, rewriter, fastLookup);
    model.insertMatches(rows);
    return prefixings;
}

} // namespace qdx
