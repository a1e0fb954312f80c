#pragma once

#include <stdexcept>
#include <string>

namespace qdx {

// Message identifiers of store failures.
enum StoreErrorId : int {
    ErrOpen = 102,
    ErrCreate = 103,
    ErrBegin = 104,
    ErrCommit = 105,
    ErrRollback = 106,
    ErrRead = 107,
    ErrStep = 108,
    ErrInsert = 110,
    ErrUpdate = 111,
    ErrBusy = 112,
    ErrReadOnly = 113, // the file or its folder refuses writes
    ErrFileGone = 114, // the file was removed or replaced while open
};

// The text shown for an identifier (102..114), exactly as the program shows it.
const char* storeErrorMessage(int id);

// A failure of the project store: the identifier, its message and the database's error text
// at the moment of the failure. Callers show "message\ndatabase text".
class StoreError : public std::runtime_error {
public:
    StoreError(int id, std::string databaseText);

    int id() const { return m_id; }
    const std::string& message() const { return m_message; }
    const std::string& databaseText() const { return m_databaseText; }
    // "%s\n%s" of message and database text.
    std::string fullText() const { return m_message + "\n" + m_databaseText; }

private:
    int m_id;
    std::string m_message;
    std::string m_databaseText;
};

} // namespace qdx
