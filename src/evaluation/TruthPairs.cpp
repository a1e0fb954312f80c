#include "evaluation/TruthPairs.h"

#include "io/CsvRecordReader.h"
#include "io/TextCodec.h"

#include <fstream>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace qdx {

namespace {

constexpr const char* kTruthHeader = "死後ID,生前ID";

std::string lineError(const std::string& path, std::size_t line, const std::string& what) {
    return "truth file " + path + ", line " + std::to_string(line) + ": " + what;
}

std::unordered_map<std::string, const DentalRecord*>
byDentalId(const std::vector<DentalRecord>& records) {
    std::unordered_map<std::string, const DentalRecord*> index;
    for (const DentalRecord& record : records)
        index.emplace(record.Dental_ID, &record);
    return index;
}

std::unordered_set<std::string> displayIds(const std::vector<DentalRecord>& records) {
    std::unordered_set<std::string> ids;
    for (const DentalRecord& record : records)
        ids.insert(record.displayId);
    return ids;
}

} // namespace

std::vector<TruthPair> readTruthFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TruthFileError("the truth file could not be opened: " + path);
    CsvRecordReader reader(in);
    std::vector<TruthPair> pairs;
    std::size_t line = 0;
    while (reader.next()) {
        ++line;
        const std::string text = TextCodec::toUtf8(reader.record());
        if (line == 1 && text == kTruthHeader)
            continue;
        if (text.empty())
            continue;
        const std::vector<std::string> fields = splitCsvFields(text);
        if (fields.size() != 2 || fields[0].empty() || fields[1].empty())
            throw TruthFileError(
                lineError(path, line, "expected \"post-mortem ID,ante-mortem ID\""));
        pairs.push_back({fields[0], fields[1]});
    }
    if (reader.unclosedAtEnd())
        throw TruthFileError(lineError(path, line + 1, "a quoted field is not closed"));
    if (in.bad())
        throw TruthFileError("the truth file could not be read: " + path);
    return pairs;
}

std::vector<TruthPair> confirmedPairs(const std::vector<DentalRecord>& pmRecords,
                                      const std::vector<DentalRecord>& amRecords,
                                      const std::vector<MatchRow>& resolvedRows) {
    const auto pm = byDentalId(pmRecords);
    const auto am = byDentalId(amRecords);
    std::set<std::pair<std::string, std::string>> seen;
    std::vector<TruthPair> pairs;
    for (const MatchRow& row : resolvedRows) {
        if (!row.I_MATCHID.empty() || !row.KIND.namesPartner())
            continue;
        const auto p = pm.find(row.ID_AFTER);
        const auto a = am.find(row.ID_BEFOR);
        if (p == pm.end() || a == am.end())
            continue;
        if (seen.emplace(row.ID_AFTER, row.ID_BEFOR).second)
            pairs.push_back({p->second->displayId, a->second->displayId});
    }
    return pairs;
}

std::vector<TruthPair> pairsInProject(const std::vector<TruthPair>& pairs,
                                      const std::vector<DentalRecord>& pmRecords,
                                      const std::vector<DentalRecord>& amRecords,
                                      std::size_t& dropped) {
    const auto pm = displayIds(pmRecords);
    const auto am = displayIds(amRecords);
    std::vector<TruthPair> kept;
    for (const TruthPair& pair : pairs)
        if (pm.count(pair.pmId) && am.count(pair.amId))
            kept.push_back(pair);
    dropped = pairs.size() - kept.size();
    return kept;
}

} // namespace qdx
