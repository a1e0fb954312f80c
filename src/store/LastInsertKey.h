#pragma once

namespace qdx {

class ProjectDatabase;

// The key SQLite gave the row most recently inserted on the connection.
long long lastInsertKey(const ProjectDatabase& db);

} // namespace qdx
