#include "store/ProjectDatabase.h"
#include "store/StoreError.h"
#include "store/TableStatement.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace qdx {
namespace {

// Reads a file with a plain connection of its own, as another program would.
std::vector<std::string> readColumn(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    std::vector<std::string> values;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                const auto* text = sqlite3_column_text(st, 0);
                values.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return values;
}

int storeErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const StoreError& error) {
        return error.id();
    }
    return 0;
}

void exec(const ProjectDatabase& db, const std::string& sql) {
    TableStatement st(db);
    st.sql = sql;
    st.prepareInsert();
    st.step();
}

std::string readOne(const ProjectDatabase& db, const std::string& sql) {
    TableStatement st(db);
    st.sql = sql;
    st.prepare();
    st.step();
    return st.columnText(0);
}

TEST(ProjectDatabase, NewFileGetsTheFiveTablesAndTheChangeHistory) {
    test::TempDir dir;
    const std::string path = dir.file("new.qdx");
    ProjectDatabase db;
    db.open(path);
    EXPECT_TRUE(db.isOpen());
    EXPECT_EQ(readOne(db, "SELECT count(*) FROM TB_AFTER"), "0");
    db.close(true);

    const auto tables = readColumn(path, "SELECT sql FROM sqlite_master WHERE type='table' AND "
                                         "name LIKE 'TB_%' ORDER BY rowid");
    // The five tables in their order, then the change history of its own.
    ASSERT_EQ(tables.size(), 6u);
    EXPECT_EQ(tables[5].rfind("CREATE TABLE TB_JOURNAL (", 0), 0u) << tables[5];
    for (int i = 0; i < ProjectDatabase::kSchemaStatementCount; ++i) {
        // SQLite stores the statement without "IF NOT EXISTS" and the closing semicolon.
        std::string expected = ProjectDatabase::schemaStatements()[i];
        expected.erase(expected.find("IF NOT EXISTS "), 14);
        expected.pop_back();
        EXPECT_EQ(tables[i], expected);
    }
    EXPECT_NE(tables[1].find("CREATE TABLE TB_BEFOR (Dental_ID INTEGER"), std::string::npos);
}

TEST(ProjectDatabase, SecondConnectionGetsBusyAndFirstIsUnaffected) {
    test::TempDir dir;
    const std::string path = dir.file("p.qdx");
    ProjectDatabase first;
    first.open(path);
    exec(first, "INSERT INTO TB_MATCH (KIND) VALUES ('1')");

    ProjectDatabase second;
    const int id = storeErrorOf([&] { second.open(path); });
    EXPECT_EQ(id, ErrBusy);
    EXPECT_FALSE(second.isOpen());
    EXPECT_FALSE(second.errorText().empty());

    exec(first, "INSERT INTO TB_MATCH (KIND) VALUES ('2')");
    first.save();
    EXPECT_EQ(readOne(first, "SELECT count(*) FROM TB_MATCH"), "2");
    first.close(false);
    EXPECT_EQ(readColumn(path, "SELECT KIND FROM TB_MATCH ORDER BY ID"),
              (std::vector<std::string>{"1", "2"}));
}

TEST(ProjectDatabase, WritesBecomePermanentOnlyWhenSaved) {
    test::TempDir dir;
    const std::string path = dir.file("p.qdx");
    {
        ProjectDatabase db;
        db.open(path);
        exec(db, "INSERT INTO TB_MATCH (ID_AFTER, KIND) VALUES ('3', '1')");
        db.close(false);
    }
    EXPECT_TRUE(readColumn(path, "SELECT ID FROM TB_MATCH").empty());
    {
        ProjectDatabase db;
        db.open(path);
        exec(db, "INSERT INTO TB_MATCH (ID_AFTER, KIND) VALUES ('3', '1')");
        db.save();
        exec(db, "INSERT INTO TB_MATCH (ID_AFTER, KIND) VALUES ('4', '1')");
        db.close(false);
    }
    // Text bound to an INTEGER column is stored with the column's affinity.
    EXPECT_EQ(readColumn(path, "SELECT typeof(ID_AFTER) FROM TB_MATCH"),
              std::vector<std::string>{"integer"});
    {
        // Destroying an open project without closing it rolls back, never commits.
        ProjectDatabase db;
        db.open(path);
        exec(db, "INSERT INTO TB_MATCH (ID_AFTER, KIND) VALUES ('5', '1')");
    }
    EXPECT_EQ(readColumn(path, "SELECT ID_AFTER FROM TB_MATCH"), std::vector<std::string>{"3"});
}

TEST(ProjectDatabase, BadFilesAndFoldersFailWithTheirIdentifiers) {
    test::TempDir dir;
    const std::string text = dir.file("notes.qdx");
    const std::string content = "This is a plain text file, not a project.\r\n";
    test::writeBytes(text, content);
    ProjectDatabase db;
    const int notADatabase = storeErrorOf([&] { db.open(text); });
    EXPECT_EQ(notADatabase, ErrCreate);
    EXPECT_FALSE(db.isOpen());
    EXPECT_NE(db.errorText().find("not a database"), std::string::npos);
    EXPECT_EQ(test::readBytes(text), content);

    EXPECT_EQ(storeErrorOf([&] { db.open(dir.file("missing/folder/p.qdx")); }), ErrOpen);
    EXPECT_EQ(storeErrorOf([&] { db.openReadOnly(dir.file("absent.qdx")); }), ErrOpen);
    EXPECT_FALSE(std::filesystem::exists(dir.file("absent.qdx")));
    EXPECT_FALSE(db.isOpen());

    const StoreError error(ErrOpen, "unable to open database file");
    EXPECT_EQ(error.fullText(),
              "データベースファイルをオープンできませんでした。 \nunable to open database file");
    EXPECT_STREQ(storeErrorMessage(ErrBegin), "データベースを開始できませんでした。  ");
}

TEST(ProjectDatabase, ReadOnlyConnectionSeesSavedStateOnly) {
    test::TempDir dir;
    const std::string path = dir.file("p.qdx");
    ProjectDatabase db;
    db.open(path);
    exec(db, "INSERT INTO TB_MATCH (KIND) VALUES ('3')");
    db.save();
    db.close(true);

    ProjectDatabase reader;
    reader.openReadOnly(path);
    EXPECT_TRUE(reader.isReadOnly());
    EXPECT_EQ(readOne(reader, "SELECT KIND FROM TB_MATCH"), "3");
    EXPECT_EQ(storeErrorOf([&] { exec(reader, "INSERT INTO TB_MATCH (KIND) VALUES ('4')"); }),
              ErrStep);
    reader.close(false);
    EXPECT_FALSE(reader.isOpen());
}

TEST(TableStatement, PrepareFormsStepAndFinalizeOnEveryPath) {
    test::TempDir dir;
    ProjectDatabase db;
    db.open(dir.file("p.qdx"));
    exec(db, "INSERT INTO TB_MATCH (ID_AFTER, ID_BEFOR, KIND) VALUES ('1', '2', '4')");

    TableStatement st(db, "TB_MATCH.ID");
    st.sql = "SELECT I_MATCHID, KIND FROM TB_MATCH";
    st.prepareWhereKey("1");
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.columnText(0), ""); // NULL reads as empty text
    EXPECT_EQ(st.columnText(1), "4");
    EXPECT_FALSE(st.step());

    st.sql = "SELECT KIND FROM TB_MATCH";
    st.prepareWhere("KIND='4'");
    EXPECT_TRUE(st.step());

    TableStatement bad(db);
    bad.sql = "SELECT nothing FROM nowhere";
    EXPECT_EQ(storeErrorOf([&] { bad.prepare(); }), ErrRead);
    EXPECT_EQ(storeErrorOf([&] { bad.prepareInsert(); }), ErrInsert);
    EXPECT_EQ(storeErrorOf([&] { bad.prepareUpdateWhereKey("1"); }), ErrUpdate);
    EXPECT_EQ(storeErrorOf([&] { bad.prepareDeleteWhere("1=1"); }), ErrUpdate);

    // A quote inside a key value cannot change the statement.
    TableStatement del(db, "TB_MATCH.ID");
    del.sql = "DELETE FROM TB_MATCH";
    del.prepareDeleteWhereKeyText("1' OR '1'='1");
    del.step();
    EXPECT_EQ(readOne(db, "SELECT count(*) FROM TB_MATCH"), "1");

    // A statement left prepared does not stop the project from closing and committing.
    sqlite3_stmt* leftover = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db.connection(), "SELECT KIND FROM TB_MATCH", -1, &leftover, nullptr),
        SQLITE_OK);
    sqlite3_step(leftover);
    db.close(true);
    EXPECT_FALSE(db.isOpen());
    // Statements of this program that outlive the close are not finalized twice.
    EXPECT_EQ(storeErrorOf([&] { st.step(); }), ErrStep);
    EXPECT_EQ(st.columnText(0), "");
}

} // namespace
} // namespace qdx
