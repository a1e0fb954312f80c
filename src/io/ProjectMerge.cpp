#include "io/ProjectMerge.h"

#include "io/RecordKeyIndex.h"
#include "model/RecordId.h"
#include "store/LastInsertKey.h"
#include "store/ProjectModel.h"

#include <cstdlib>
#include <filesystem>
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

// The source's keys and the keys its records got here, per side.
using KeyMap = std::unordered_map<std::string, std::string>;

int mergeSide(ProjectModel& model, int side, const std::vector<DentalRecord>& records,
              RowRewriter& rows, KeyMap& newKeys, bool fastLookup) {
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
        newKeys.emplace(record.Dental_ID, std::to_string(newKey));
    }
    return prefixings;
}

// The source's history follows its records to their keys here, marked with the file it came
// from (after any file it had come from before). A row of a record the source no longer has
// keeps its side and ID text but names no record here.
int carryJournal(ProjectModel& model, const std::string& sourcePath, const KeyMap newKeys[2]) {
    const std::string origin = std::filesystem::path(sourcePath).filename().string();
    const std::vector<JournalRow> carried = ProjectModel::readOtherJournal(sourcePath);
    for (JournalRow row : carried) {
        if (row.isRecordRow()) {
            const int side = row.SIDE == "1" ? AnteMortem : PostMortem;
            const auto found = newKeys[side].find(row.Dental_ID);
            row.Dental_ID = found == newKeys[side].end() ? std::string() : found->second;
        }
        row.ORIGIN = row.ORIGIN.empty() ? origin : origin + " / " + row.ORIGIN;
        model.journal().writeAsIs(row);
    }
    return static_cast<int>(carried.size());
}

std::string mergeSummary(const std::string& sourcePath, std::size_t pm, std::size_t am,
                         std::size_t rows, int carried, int prefixings) {
    return sourcePath + ": 死後 " + std::to_string(pm) + "件, 生前 " + std::to_string(am) +
           "件, 照合 " + std::to_string(rows) + "件, 変更履歴 " + std::to_string(carried) +
           "件, ID変更 " + std::to_string(prefixings) + "件";
}

} // namespace

int mergeProject(ProjectModel& model, const std::string& sourcePath, bool fastLookup) {
    std::vector<DentalRecord> pm;
    std::vector<DentalRecord> am;
    std::vector<MatchRow> rows;
    ProjectModel::readOtherProject(sourcePath, pm, am, rows);
    RowRewriter rewriter(rows);
    KeyMap newKeys[2];
    model.journal().beginBatch("マージ " + sourcePath);
    int prefixings = 0;
    try {
        prefixings = mergeSide(model, PostMortem, pm, rewriter, newKeys[0], fastLookup);
        prefixings += mergeSide(model, AnteMortem, am, rewriter, newKeys[1], fastLookup);
    } catch (...) {
        model.journal().endBatch();
        throw;
    }
    model.journal().endBatch();
    model.insertMatches(rows);
    const int carried = carryJournal(model, sourcePath, newKeys);
    model.journal().writeProject(
        journal::kMerge, -1,
        mergeSummary(sourcePath, pm.size(), am.size(), rows.size(), carried, prefixings));
    return prefixings;
}

} // namespace qdx
