#include "store/TableStatement.h"

#include "store/ProjectDatabase.h"
#include "store/StoreError.h"

#include <sqlite3.h>

namespace qdx {

TableStatement::TableStatement(const ProjectDatabase& database, std::string keyColumn)
    : m_database(database), m_connection(database.connection()), m_keyColumn(std::move(keyColumn)) {
}

TableStatement::~TableStatement() {
    finalize();
}

void TableStatement::prepareText(const std::string& text, int errorId) {
    finalize();
    m_connection = m_database.connection();
    if (!m_connection)
        throw StoreError(errorId, "no project is open");
    m_closeCount = m_database.closeCount();
    if (sqlite3_prepare_v2(m_connection, text.c_str(), -1, &m_statement, nullptr) != SQLITE_OK ||
        !m_statement) {
        const std::string error = sqlite3_errmsg(m_connection);
        finalize();
        throw StoreError(errorId, error);
    }
    sqlite3_reset(m_statement);
}

void TableStatement::prepare() {
    prepareText(sql, ErrRead);
}

void TableStatement::prepareWhereKey(const std::string& value) {
    prepareText(sql + " WHERE " + m_keyColumn + "=" + value, ErrRead);
}

void TableStatement::prepareWhere(const std::string& condition) {
    prepareText(sql + " WHERE " + condition, ErrRead);
}

void TableStatement::prepareInsert() {
    prepareText(sql, ErrInsert);
}

void TableStatement::prepareUpdateWhereKey(const std::string& value) {
    prepareText(sql + " WHERE " + m_keyColumn + "=" + value + ";", ErrUpdate);
}

void TableStatement::prepareDeleteWhereKeyText(const std::string& value) {
    prepareText(sql + " WHERE " + m_keyColumn + "='" + quoteValue(value) + "';", ErrUpdate);
}

void TableStatement::prepareDeleteWhere(const std::string& condition) {
    prepareText(sql + " WHERE " + condition + ";", ErrUpdate);
}

void TableStatement::bindText(const char* name, const std::string& value) {
    const int index = sqlite3_bind_parameter_index(m_statement, name);
    if (index > 0)
        sqlite3_bind_text(m_statement, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT);
}

void TableStatement::bindTextAt(int index, const std::string& value) {
    sqlite3_bind_text(m_statement, index, value.data(), static_cast<int>(value.size()),
                      SQLITE_TRANSIENT);
}

void TableStatement::bindIntegerAt(int index, long long value) {
    sqlite3_bind_int64(m_statement, index, value);
}

void TableStatement::bindTextViewAt(int index, std::string_view value) {
    sqlite3_bind_text(m_statement, index, value.data(), static_cast<int>(value.size()),
                      SQLITE_STATIC);
}

bool TableStatement::step() {
    if (!isLive())
        throw StoreError(ErrStep, "the statement is not prepared");
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    // A write-protected project file, or a folder where the rollback journal cannot be
    // created (a connection opened read-only on purpose keeps the plain step failure).
    const int primary = result & 0xff;
    if ((primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN) && !m_database.isReadOnly())
        throw StoreError(ErrReadOnly, sqlite3_errmsg(m_connection));
    throw StoreError(ErrStep, sqlite3_errmsg(m_connection));
}

std::string TableStatement::columnText(int index) const {
    return std::string(columnView(index));
}

std::string_view TableStatement::columnView(int index) const {
    if (!isLive())
        return {};
    const unsigned char* text = sqlite3_column_text(m_statement, index);
    if (!text)
        return {};
    return {reinterpret_cast<const char*>(text),
            static_cast<std::size_t>(sqlite3_column_bytes(m_statement, index))};
}

bool TableStatement::columnIsText(int index) const {
    return isLive() && sqlite3_column_type(m_statement, index) == SQLITE_TEXT;
}

bool TableStatement::isLive() const {
    return m_statement && m_database.closeCount() == m_closeCount;
}

void TableStatement::finalize() {
    if (m_statement) {
        if (isLive())
            sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
}

bool TableStatement::rewind() {
    if (!isLive())
        return false;
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    return true;
}

std::string quoteValue(const std::string& value) {
    std::string quoted;
    quoted.reserve(value.size());
    for (char c : value) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted;
}

} // namespace qdx
