#pragma once

#include <string>
#include <unordered_map>

namespace qdx {

class ProjectModel;

// Answers findRecordKey for one side of the open project during an import. The project model
// asks the database, which scans the whole table for every form; the index reads the IDs once
// and learns every record the import inserts, so a large import stays linear. Whatever it is
// not sure about (IDs held by several records, texts SQL cannot carry) it passes to the model,
// so both ways give the same key.
class RecordKeyIndex {
public:
    // With `fast` false every lookup goes to the project model.
    RecordKeyIndex(ProjectModel& model, int side, bool fast = true);

    // The key of the side's record with the ID, 0 when there is none (findRecordKey's rule).
    long long find(const std::string& upper, const std::string& lower);
    // The record with the ID was just inserted with `key`.
    void noteInserted(const std::string& upper, const std::string& lower, long long key);
    // Stores the model's entry for this side: an update of the record with the entry's ID when
    // there is one, else an insert that the index then knows.
    void storeEntry();

private:
    static std::string mapKey(const std::string& upper, const std::string& lower);
    static constexpr long long kAskDatabase = -1;

    ProjectModel& m_model;
    int m_side;
    bool m_fast;
    std::unordered_map<std::string, long long> m_keys;
};

} // namespace qdx
