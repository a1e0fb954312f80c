#include "io/RecordKeyIndex.h"

#include "store/LastInsertKey.h"
#include "store/ProjectModel.h"
#include "store/RecordTable.h"
#include "store/TableStatement.h"

#include <cstdlib>

namespace qdx {

RecordKeyIndex::RecordKeyIndex(ProjectModel& model, int side, bool fast)
    : m_model(model), m_side(side), m_fast(fast) {
    if (!m_fast) {
        return;
    }
    // The two ID columns as stored, compared byte for byte like the model's query does.
    TableStatement st(model.database(), records::keyColumn(side));
    st.sql = std::string("SELECT Dental_ID, EXT_IDu, EXT_IDl FROM ") + records::tableName(side);
    st.prepare();
    while (st.step()) {
        auto [it, inserted] = m_keys.emplace(mapKey(st.columnText(1), st.columnText(2)),
                                             std::atoll(st.columnText(0).c_str()));
        if (!inserted) {
            it->second = kAskDatabase;
        }
    }
}

std::string RecordKeyIndex::mapKey(const std::string& upper, const std::string& lower) {
    std::string key = upper;
    key.push_back('\0');
    key += lower;
    return key;
}

long long RecordKeyIndex::find(const std::string& upper, const std::string& lower) {
    // A NUL byte ends the statement text early, so only the database knows what it finds.
    const bool plain =
        upper.find('\0') != std::string::npos || lower.find('\0') != std::string::npos;
    if (!m_fast || plain) {
        return m_model.findRecordKey(m_side, upper, lower);
    }
    const auto it = m_keys.find(mapKey(upper, lower));
    if (it == m_keys.end()) {
        return 0;
    }
    return it->second == kAskDatabase ? m_model.findRecordKey(m_side, upper, lower) : it->second;
}

void RecordKeyIndex::noteInserted(const std::string& upper, const std::string& lower,
                                  long long key) {
    if (!m_fast) {
        return;
    }
    auto [it, inserted] = m_keys.emplace(mapKey(upper, lower), key);
    if (!inserted || key <= 0) {
        it->second = kAskDatabase;
    }
}

void RecordKeyIndex::storeEntry() {
    RecordEntry& entry = m_model.entry();
    entry.side = m_side;
    const long long key = find(entry.upperIdPart, entry.lowerIdPart);
    entry.isUpdate = key != 0;
    entry.dentalId = key;
    m_model.storeEntry();
    if (key == 0)
        noteInserted(entry.upperIdPart, entry.lowerIdPart, lastInsertKey(m_model.database()));
}

} // namespace qdx
