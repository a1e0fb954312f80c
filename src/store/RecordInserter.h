#pragma once

#include "model/DentalRecord.h"

#include <memory>

namespace qdx {

class ProjectDatabase;
class TableStatement;

// Inserts the rows records::insertRecord inserts through one statement per side, prepared once and
// kept: an import or a merge adds thousands of records.
class RecordInserter {
public:
    explicit RecordInserter(const ProjectDatabase& db);
    ~RecordInserter();
    RecordInserter(const RecordInserter&) = delete;
    RecordInserter& operator=(const RecordInserter&) = delete;

    void insert(int side, const DentalRecord& record);
    // Lets the kept statements go (before the connection closes).
    void release();

private:
    const ProjectDatabase& m_db;
    std::unique_ptr<TableStatement> m_statements[2];
};
} // namespace qdx
