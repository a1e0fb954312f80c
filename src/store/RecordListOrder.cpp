#include "store/RecordListOrder.h"

#include "store/ProjectDatabase.h"
#include "store/RecordTable.h"
#include "store/TableStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <numeric>
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
    friend auto operator<=>(const IdParts&, const IdParts&) = default;
};

IdParts idParts(const DentalRecord& record, std::size_t upperLength) {
    const std::string_view id = record.displayId;
    return {id.substr(0, upperLength), id.substr(upperLength + 1)};
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
    std::vector<std::size_t> order(list.records.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto parts = [&list](std::size_t i) {
        return idParts(list.records[i], list.upperLengths[i]);
    };
    // Byte comparison of texts, shorter first on a common start: SQLite's BINARY collation.
    std::sort(order.begin(), order.end(),
              [&parts](std::size_t a, std::size_t b) { return parts(a) < parts(b); });
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (parts(order[i - 1]) == parts(order[i]))
            return false;
    }
    applyOrder(list.records, order);
    return true;
}

} // namespace qdx::records
