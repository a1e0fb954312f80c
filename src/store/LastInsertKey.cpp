#include "store/LastInsertKey.h"

#include "store/TableStatement.h"

#include <cstdlib>

namespace qdx {

long long lastInsertKey(const ProjectDatabase& db) {
    TableStatement st(db);
    st.sql = "SELECT last_insert_rowid()";
    st.prepare();
    st.step();
    return std::atoll(st.columnText(0).c_str());
}

} // namespace qdx
