#include "store/RecordListOrder.h"

#include "store/ProjectDatabase.h"
#include "store/RecordTable.h"
#include "store/TableStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

namespace qdx::records {

namespace {

bool columnSortsAsBytes(sqlite3* connection, const char* table, const char* column) {
    const char* collation = nullptr;
    if (sqlite3_table_column_metadata(connection, "main", table, column, nullptr, &collation,
                                      nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    return collation && sqlite3_stricmp(collation, "BINARY") == 0;
}

bool fileIsUtf8(const ProjectDatabase& db) {
    TableStatement st(db);
    st.sql = "PRAGMA encoding;";
    st.prepare();
    return st.step() && st.columnView(0) == "UTF-8";
}

struct IdParts {
    std::string_view upper;
    std::string_view lower;
};

IdParts idParts(const DentalRecord& record, std::size_t upperLength) {
    const std::string_view id = record.displayId;
    return {id.substr(0, upperLength), id.substr(upperLength + 1)};
}

// The first eight bytes of a text as a number that orders as the bytes do (missing bytes 0).
std::uint64_t head(std::string_view text) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i)
        value = (value << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0U);
    return value;
}

// One record's place in the sort, small enough that sorting stays in the processor's caches;
// the record itself is read only when two ID parts share their first eight bytes and do not
// both end there with the same length.
struct SortKey {
    std::uint64_t upperHead;
    std::uint64_t lowerHead;
    std::uint32_t upperLength;
    std::uint32_t lowerLength;
    std::size_t index;
};

int sign(int order) {
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

// Whether two parts with equal heads are equal without reading them: both end within the head
// with the same length.
bool headsHoldBoth(std::uint32_t lengthA, std::uint32_t lengthB) {
    return lengthA == lengthB && lengthA <= 8;
}

// Moves every record to its place in `order` (order[i]: the record that belongs at i).
void applyOrder(std::vector<DentalRecord>& records, std::vector<std::size_t>& order) {
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] == start)
            continue;
        DentalRecord held = std::move(records[start]);
        std::size_t at = start;
        while (order[at] != start) {
            const std::size_t from = order[at];
            records[at] = std::move(records[from]);
            order[at] = at;
            at = from;
        }
        records[at] = std::move(held);
        order[at] = at;
    }
}

} // namespace

bool idsSortAsBytes(const ProjectDatabase& db, int side) {
    sqlite3* connection = db.connection();
    return connection && columnSortsAsBytes(connection, tableName(side), "EXT_IDu") &&
           columnSortsAsBytes(connection, tableName(side), "EXT_IDl") && fileIsUtf8(db);
}

bool sortByIdParts(UnsortedList& list) {
    if (!list.idsAreTexts)
        return false;
    std::vector<SortKey> keys(list.records.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const IdParts parts = idParts(list.records[i], list.upperLengths[i]);
        keys[i] = {head(parts.upper), head(parts.lower),
                   static_cast<std::uint32_t>(std::min<std::size_t>(parts.upper.size(), 9)),
                   static_cast<std::uint32_t>(std::min<std::size_t>(parts.lower.size(), 9)), i};
    }
    const auto parts = [&list](std::size_t i) {
        return idParts(list.records[i], list.upperLengths[i]);
    };
    // Byte comparison of texts, shorter first on a common start: SQLite's BINARY collation.
    const auto compare = [&parts](const SortKey& a, const SortKey& b) {
        if (a.upperHead != b.upperHead)
            return a.upperHead < b.upperHead ? -1 : 1;
        if (!headsHoldBoth(a.upperLength, b.upperLength)) {
            const int upper = sign(parts(a.index).upper.compare(parts(b.index).upper));
            if (upper != 0)
                return upper;
        }
        if (a.lowerHead != b.lowerHead)
            return a.lowerHead < b.lowerHead ? -1 : 1;
        if (headsHoldBoth(a.lowerLength, b.lowerLength))
            return 0;
        return sign(parts(a.index).lower.compare(parts(b.index).lower));
    };
    const auto before = [&compare](const SortKey& a, const SortKey& b) {
        return compare(a, b) < 0;
    };
    // Records are mostly stored in the order of their IDs; then there is nothing to move.
    if (std::is_sorted(keys.begin(), keys.end(), before)) {
        for (std::size_t i = 1; i < keys.size(); ++i)
            if (compare(keys[i - 1], keys[i]) == 0)
                return false;
        return true;
    }
    std::sort(keys.begin(), keys.end(), before);
    for (std::size_t i = 1; i < keys.size(); ++i) {
        if (compare(keys[i - 1], keys[i]) == 0)
            return false;
    }
    std::vector<std::size_t> order(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].index;
    keys = {};
    applyOrder(list.records, order);
    return true;
}

} // namespace qdx::records
