#pragma once

#include "model/DentalRecord.h"

#include <cstddef>
#include <vector>

namespace qdx {

class ProjectDatabase;

// The record lists are shown in the order of the ID parts (EXT_IDu, then EXT_IDl) as SQLite
// sorts them. Sorting a few hundred thousand full rows inside SQLite spills them through
// temporary files, so the lists are read unsorted and put in order here whenever that gives
// exactly SQLite's order: plain byte order (the BINARY collation of a UTF-8 file), every ID
// part a text, and no two records with the same ID (SQLite leaves the order of equal IDs open).
namespace records {

// True when the side's ID columns compare as plain bytes (BINARY collation, UTF-8 file).
bool idsSortAsBytes(const ProjectDatabase& db, int side);

// A list read unsorted, with the byte length of each record's upper ID part (its displayId is
// upper + "-" + lower).
struct UnsortedList {
    std::vector<DentalRecord> records;
    std::vector<std::size_t> upperLengths;
    bool idsAreTexts = true;
};

// Puts the records in ID order; false (list order then unspecified) when two records share an
// ID or an ID part was no text, so that the caller lets SQLite sort instead.
bool sortByIdParts(UnsortedList& list);

} // namespace records
} // namespace qdx
