#include "store/LastInsertKey.h"

#include "store/ProjectDatabase.h"

#include <sqlite3.h>

namespace qdx {

long long lastInsertKey(const ProjectDatabase& db) {
    // Asked of the connection directly: an import asks it twice per record.
    sqlite3* connection = db.connection();
    return connection ? static_cast<long long>(sqlite3_last_insert_rowid(connection)) : 0;
}

} // namespace qdx
