#pragma once

#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace qdx {

class ProjectDatabase;

// One table operation's statement. The table function writes `sql`, prepares with one of the
// forms below, binds every parameter as text and steps. The statement is finalized when the
// object goes out of scope, on every path.
class TableStatement {
public:
    explicit TableStatement(const ProjectDatabase& database, std::string keyColumn = {});
    ~TableStatement();
    TableStatement(const TableStatement&) = delete;
    TableStatement& operator=(const TableStatement&) = delete;

    std::string sql;

    void prepare();                                           // 107
    void prepareWhereKey(const std::string& value);           // 107
    void prepareWhere(const std::string& condition);          // 107
    void prepareInsert();                                     // 110
    void prepareUpdateWhereKey(const std::string& value);     // 111
    void prepareDeleteWhereKeyText(const std::string& value); // 111
    void prepareDeleteWhere(const std::string& condition);    // 111

    // Binds a named parameter ("@EXT_IDu") as UTF-8 text; an unknown name binds nothing.
    void bindText(const char* name, const std::string& value);
    // Binds the parameter at `index` (from 1, in the order of the statement text) as UTF-8
    // text: for a statement run many times, without looking the name up each time.
    void bindTextAt(int index, const std::string& value);
    // The same without a copy: `value` must stay unchanged until the statement is reset.
    void bindTextViewAt(int index, std::string_view value);
    // Binds the parameter at `index` as an integer, as a number written in the text would be.
    void bindIntegerAt(int index, long long value);
    // Steps once: true on a row, false when done; anything else throws 108.
    bool step();
    // The text of a result column; NULL reads as "".
    std::string columnText(int index) const;
    // The same text without a copy; valid until the next step or finalize.
    std::string_view columnView(int index) const;
    // True when the result column holds a TEXT value (not NULL, a number or a BLOB).
    bool columnIsText(int index) const;
    void finalize();
    // Clears the bindings and rewinds the prepared statement so it runs again (one statement
    // kept for many rows); false when there is none or its connection was closed meanwhile.
    bool rewind();
    // True while the statement is prepared on the connection that is still open.
    bool isPrepared() const { return isLive(); }

    const std::string& keyColumn() const { return m_keyColumn; }

private:
    void prepareText(const std::string& text, int errorId);
    bool isLive() const;

    const ProjectDatabase& m_database;
    sqlite3* m_connection;
    // The connection's close count when the statement was prepared: a close finalizes what is
    // left open, so a statement from before a close must not be finalized again.
    unsigned m_closeCount = 0;
    sqlite3_stmt* m_statement = nullptr;
    std::string m_keyColumn;
};

// Doubles single quotes so a value can sit between quotes in a statement text.
std::string quoteValue(const std::string& value);

} // namespace qdx
