#include "store/SearchSettings.h"
#include "store/SettingsTable.h"
#include "store/StoreError.h"

#include "model/Labels.h"

#include "StoreTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace qdx {
namespace {

using test::firstOf;
using test::RawFile;
using test::rowsOf;

class SettingsTest : public ::testing::Test {
protected:
    std::string path(const std::string& name = "abc") const { return dir.file(name + ".qdx"); }

    // Creates a project, lets `change` edit the closed file, and opens it again.
    void createThenChange(const std::function<void(sqlite3*)>& change) {
        {
            ProjectModel first;
            test::openIn(first, dir, "abc");
            first.close(false);
        }
        RawFile raw(path());
        change(raw.get());
    }

    test::TempDir dir;
};

TEST_F(SettingsTest, NewProjectGetsDefaultRowsCommittedAtOnce) {
    ProjectModel model;
    EXPECT_TRUE(test::openIn(model, dir, "abc").created);
    EXPECT_FALSE(model.anyChanged());
    model.close(false); // the defaults were committed when the file was created

    RawFile raw(path());
    for (const char* table : {"TB_SETUP", "TB_SETUP_PRO"}) {
        const std::string from = std::string(" FROM ") + table + " ORDER BY ID";
        EXPECT_EQ(rowsOf(raw.get(), "SELECT ID, PROJECTNAME, FACTOR, DIVISION, RANK, SORT, MATCH, "
                                    "BRIDGE" +
                                        from),
                  (std::vector<std::string>{"1|abc|2|0|-1|0|1|0", "2|2|2|0|-1|0|1|0"}))
            << table;
        EXPECT_EQ(firstOf(raw.get(), "SELECT RULER1" + from), classDescription(1));
    }
    EXPECT_EQ(firstOf(raw.get(), "SELECT RULER6 FROM TB_SETUP_PRO WHERE ID=1"),
              classDescription(6));
    // The matrices are stored column-major: row 1 k = 5(p-1)+a, row 2 k = 5(a-1)+p.
    EXPECT_EQ(firstOf(raw.get(), "SELECT SCORE1, SCORE14 FROM TB_SETUP WHERE ID=1"),
              "0.0621|-0.995");
    EXPECT_EQ(firstOf(raw.get(), "SELECT SCORE4, SCORE7 FROM TB_SETUP WHERE ID=2"),
              "-0.0792|0.6984");
    EXPECT_EQ(firstOf(raw.get(), "SELECT typeof(SCORE1) FROM TB_SETUP WHERE ID=1"), "real");
    // Six-class: row 1 p=1,a=6 is SCORE6; stored row 2 is the transpose, so a=6,p=1 is SCORE31.
    EXPECT_EQ(firstOf(raw.get(), "SELECT SCORE6 FROM TB_SETUP_PRO WHERE ID=1"), "0.4902");
    EXPECT_EQ(firstOf(raw.get(), "SELECT SCORE31 FROM TB_SETUP_PRO WHERE ID=2"), "0.4902");
    EXPECT_EQ(firstOf(raw.get(), "SELECT SCORE31 FROM TB_SETUP_PRO WHERE ID=1"), "0.0144");
}

TEST_F(SettingsTest, ScoresAreWrittenAsFixedSixDecimalsAndReadBack) {
    EXPECT_EQ(formatScore(0.0621), "0.062100");
    EXPECT_EQ(formatScore(-0.995), "-0.995000");
    EXPECT_EQ(formatScore(0.0), "0.000000");
    EXPECT_EQ(formatScore(12345.5), "12345.500000");
    EXPECT_DOUBLE_EQ(parseScore("0.062100"), 0.0621);
    EXPECT_DOUBLE_EQ(parseScore("  -1.5e1"), -15.0);
    EXPECT_DOUBLE_EQ(parseScore("+2"), 2.0);
    EXPECT_DOUBLE_EQ(parseScore("0.5abc"), 0.5);
    EXPECT_DOUBLE_EQ(parseScore(""), 0.0);
    EXPECT_DOUBLE_EQ(parseScore("abc"), 0.0);
    EXPECT_EQ(parseInteger(" 12x"), 12);
    EXPECT_EQ(parseInteger("-1"), -1);
    EXPECT_EQ(parseInteger("x"), 0);
    EXPECT_EQ(parseInteger("99999999999999999999"), std::numeric_limits<int>::max());

    // The text bound is "0.062100"; the REAL column keeps the number, which reads back exactly.
    ProjectModel model;
    test::openIn(model, dir, "abc");
    model.settings().pmToAmScores6[35] = 0.0621;
    model.saveSettings6(SettingsWrite::Update);
    model.settings().pmToAmScores6[35] = 0;
    model.loadSettings6();
    EXPECT_DOUBLE_EQ(model.settings().pmToAmScores6[35], 0.0621);
}

TEST_F(SettingsTest, StatementTextsAreTheStoredOnes) {
    EXPECT_EQ(
        settings::selectText(SettingsTable::Setup5),
        "SELECT TB_SETUP.ID,TB_SETUP.PROJECTNAME, TB_SETUP.FACTOR, TB_SETUP.SCORE1, "
        "TB_SETUP.SCORE2, TB_SETUP.SCORE3, TB_SETUP.SCORE4, TB_SETUP.SCORE5, TB_SETUP.SCORE6, "
        "TB_SETUP.SCORE7, TB_SETUP.SCORE8, TB_SETUP.SCORE9, TB_SETUP.SCORE10, TB_SETUP.SCORE11, "
        "TB_SETUP.SCORE12, TB_SETUP.SCORE13, TB_SETUP.SCORE14, TB_SETUP.SCORE15, TB_SETUP.SCORE16, "
        "TB_SETUP.SCORE17, TB_SETUP.SCORE18, TB_SETUP.SCORE19, TB_SETUP.SCORE20, TB_SETUP.SCORE21, "
        "TB_SETUP.SCORE22, TB_SETUP.SCORE23, TB_SETUP.SCORE24, TB_SETUP.SCORE25, "
        "TB_SETUP.DIVISION, TB_SETUP.RANK, TB_SETUP.SORT, TB_SETUP.MATCH, TB_SETUP.BRIDGE, "
        "TB_SETUP.RULER1, TB_SETUP.RULER2, TB_SETUP.RULER3, TB_SETUP.RULER4, TB_SETUP.RULER5  FROM "
        "TB_SETUP");
    EXPECT_EQ(settings::insertText(SettingsTable::Setup5),
              "INSERT INTO TB_SETUP (PROJECTNAME, FACTOR, SCORE1, SCORE2, SCORE3, SCORE4, SCORE5, "
              "SCORE6, SCORE7, SCORE8, SCORE9, SCORE10, SCORE11, SCORE12, SCORE13, SCORE14, "
              "SCORE15, SCORE16, SCORE17, SCORE18, SCORE19, SCORE20, SCORE21, SCORE22, SCORE23, "
              "SCORE24, SCORE25, DIVISION, RANK, SORT, MATCH, BRIDGE, RULER1, RULER2, RULER3, "
              "RULER4, RULER5 ) VALUES(@PROJECTNAME, @FACTOR, @SCORE1, @SCORE2, @SCORE3, @SCORE4, "
              "@SCORE5, @SCORE6, @SCORE7, @SCORE8, @SCORE9, @SCORE10, @SCORE11, @SCORE12, "
              "@SCORE13, @SCORE14, @SCORE15, @SCORE16, @SCORE17, @SCORE18, @SCORE19, @SCORE20, "
              "@SCORE21, @SCORE22, @SCORE23, @SCORE24, @SCORE25, @DIVISION, @RANK, @SORT, @MATCH, "
              "@BRIDGE, @RULER1, @RULER2, @RULER3, @RULER4, @RULER5 );");
    EXPECT_EQ(
        settings::updateText(SettingsTable::Setup5),
        "UPDATE TB_SETUP SET PROJECTNAME=@PROJECTNAME, FACTOR=@FACTOR, SCORE1=@SCORE1, "
        "SCORE2=@SCORE2, SCORE3=@SCORE3, SCORE4=@SCORE4, SCORE5=@SCORE5, SCORE6=@SCORE6, "
        "SCORE7=@SCORE7, SCORE8=@SCORE8, SCORE9=@SCORE9, SCORE10=@SCORE10, SCORE11=@SCORE11, "
        "SCORE12=@SCORE12, SCORE13=@SCORE13, SCORE14=@SCORE14, SCORE15=@SCORE15, SCORE16=@SCORE16, "
        "SCORE17=@SCORE17, SCORE18=@SCORE18, SCORE19=@SCORE19, SCORE20=@SCORE20, SCORE21=@SCORE21, "
        "SCORE22=@SCORE22, SCORE23=@SCORE23, SCORE24=@SCORE24, SCORE25=@SCORE25, "
        "DIVISION=@DIVISION, RANK=@RANK, SORT=@SORT, MATCH=@MATCH, BRIDGE=@BRIDGE, RULER1=@RULER1, "
        "RULER2=@RULER2, RULER3=@RULER3, RULER4=@RULER4, RULER5=@RULER5 ");
    const std::string pro = settings::selectText(SettingsTable::Setup6);
    EXPECT_NE(pro.find("TB_SETUP_PRO.SCORE36, TB_SETUP_PRO.DIVISION"), std::string::npos);
    EXPECT_TRUE(pro.ends_with("TB_SETUP_PRO.RULER6  FROM TB_SETUP_PRO"));
    EXPECT_TRUE(settings::insertText(SettingsTable::Setup6).ends_with("@RULER5, @RULER6 );"));
    EXPECT_TRUE(settings::updateText(SettingsTable::Setup6).ends_with("RULER6=@RULER6 "));
}

TEST_F(SettingsTest, ConditionsRoundTripWithTheMatchColumnInverted) {
    ProjectModel model;
    test::openIn(model, dir, "abc");
    EXPECT_FALSE(model.storeSearchConditions(model.settings().conditions));
    EXPECT_FALSE(model.settingsOrMatchesChanged());
    model.settings().factor = 5;
    model.settings().rulers[0] = "自分の基準";
    EXPECT_TRUE(model.storeSearchConditions({1, 4, 3, 1}));
    EXPECT_TRUE(model.settingsOrMatchesChanged());
    model.save();
    EXPECT_FALSE(model.settingsOrMatchesChanged());
    EXPECT_EQ(firstOf(test::connectionOf(model),
                      "SELECT DIVISION, RANK, SORT, MATCH, FACTOR FROM TB_SETUP WHERE ID=2"),
              "1|4|3|0|5");
    model.close(false);

    ProjectModel reopened;
    EXPECT_FALSE(test::openIn(reopened, dir, "abc").created);
    EXPECT_EQ(reopened.settings().conditions, (SearchConditions{1, 4, 3, 1}));
    EXPECT_EQ(reopened.settings().factor, 5);
    EXPECT_EQ(reopened.settings().rulers[0], "自分の基準");
    EXPECT_EQ(reopened.settings().projectName, "abc");

    // MATCH values other than "1" read as hide-excluded set.
    EXPECT_EQ(settings::invertMatchColumn("1"), "0");
    EXPECT_EQ(settings::invertMatchColumn("0"), "1");
    EXPECT_EQ(settings::invertMatchColumn("7"), "1");
}

TEST_F(SettingsTest, RowTwoCarryingTheProjectNameIsRewrittenAndCommitted) {
    createThenChange([](sqlite3* raw) {
        test::exec(raw, "UPDATE TB_SETUP SET PROJECTNAME='abc' WHERE ID=2");
        test::exec(raw, "UPDATE TB_SETUP SET FACTOR=4");
        test::exec(raw, "UPDATE TB_SETUP_PRO SET SCORE7=0.25 WHERE ID=2");
    });
    ProjectModel model;
    test::openIn(model, dir, "abc");
    EXPECT_FALSE(model.anyChanged());
    EXPECT_EQ(model.settings().rowTwoMarker, 2);
    model.close(false);

    RawFile raw(path());
    EXPECT_EQ(firstOf(raw.get(), "SELECT PROJECTNAME, FACTOR FROM TB_SETUP WHERE ID=2"), "2|4");
    // The rewrite keeps the file's own six-class weights.
    EXPECT_EQ(firstOf(raw.get(), "SELECT SCORE7 FROM TB_SETUP_PRO WHERE ID=2"), "0.25");
}

TEST_F(SettingsTest, MissingRowsAreInsertedFromTheSettingsInMemory) {
    createThenChange([](sqlite3* raw) {
        test::exec(raw, "DELETE FROM TB_SETUP_PRO");
        test::exec(raw, "DELETE FROM TB_SETUP WHERE ID=2");
        test::exec(raw, "UPDATE TB_SETUP SET FACTOR=7, RULER1='r1', SCORE1=0.5 WHERE ID=1");
    });
    ProjectModel model;
    test::openIn(model, dir, "abc");
    EXPECT_FALSE(model.anyChanged());
    EXPECT_EQ(model.settings().factor, 7);
    EXPECT_DOUBLE_EQ(model.settings().amToPmScores5[0], 0.5);
    model.close(false);

    RawFile raw(path());
    // Row 2 carries row 1's values and the default pmToAm matrix; the six-class table gets both
    // rows, numbered 1 and 2 although the earlier rows used those keys.
    EXPECT_EQ(rowsOf(raw.get(), "SELECT ID, PROJECTNAME, FACTOR, RULER1, SCORE4 FROM TB_SETUP "
                                "ORDER BY ID"),
              (std::vector<std::string>{"1|abc|7|r1|0.0", "2|2|7|r1|-0.0792"}));
    EXPECT_EQ(rowsOf(raw.get(), "SELECT ID, PROJECTNAME, SCORE6 FROM TB_SETUP_PRO ORDER BY ID"),
              (std::vector<std::string>{"1|abc|0.4902", "2|2|0.0144"}));
}

TEST_F(SettingsTest, BothRowsAtOnceReadAsEachRowAlone) {
    ProjectModel model;
    test::openIn(model, dir, "abc");
    test::exec(test::connectionOf(model), "DELETE FROM TB_SETUP WHERE ID=1");
    test::exec(test::connectionOf(model), "UPDATE TB_SETUP_PRO SET FACTOR='x', RULER2=NULL, "
                                          "SCORE36=-1.5, MATCH=0 WHERE ID=2");
    for (SettingsTable table : {SettingsTable::Setup5, SettingsTable::Setup6}) {
        const std::array<SettingsRow, 2> both =
            settings::selectSettingsRows(model.database(), table);
        for (int n = 1; n <= 2; ++n)
            EXPECT_EQ(both[static_cast<std::size_t>(n - 1)],
                      settings::selectSettingsRow(model.database(), table, n))
                << settings::tableName(table) << " row " << n;
    }
    const std::array<SettingsRow, 2> six =
        settings::selectSettingsRows(model.database(), SettingsTable::Setup6);
    EXPECT_EQ(six[1].FACTOR, "x");
    EXPECT_EQ(six[1].MATCH, "1");
    EXPECT_TRUE(
        settings::selectSettingsRows(model.database(), SettingsTable::Setup5)[0].ID.empty());
    model.close(false);
}

TEST_F(SettingsTest, AnEmptySettingsTableGetsRowsOneAndTwo) {
    createThenChange([](sqlite3* raw) { test::exec(raw, "DELETE FROM TB_SETUP"); });
    ProjectModel model;
    test::openIn(model, dir, "abc");
    EXPECT_EQ(rowsOf(test::connectionOf(model), "SELECT ID, PROJECTNAME FROM TB_SETUP ORDER BY ID"),
              (std::vector<std::string>{"1|abc", "2|2"}));
    EXPECT_EQ(model.settings().projectName, "abc");
}

TEST_F(SettingsTest, SharedFieldsComeFromTheFiveClassTable) {
    createThenChange([](sqlite3* raw) {
        test::exec(raw, "UPDATE TB_SETUP SET FACTOR=3, RULER1='five', BRIDGE=1");
        test::exec(raw, "UPDATE TB_SETUP_PRO SET FACTOR=9, RULER1='six1', RULER6='six6', "
                        "PROJECTNAME='other' WHERE ID=1");
        test::exec(raw, "UPDATE TB_SETUP_PRO SET SCORE1=0.75 WHERE ID=1");
    });
    ProjectModel model;
    test::openIn(model, dir, "abc");
    EXPECT_EQ(model.settings().factor, 3);
    EXPECT_EQ(model.settings().projectName, "abc");
    EXPECT_EQ(model.settings().rulers[0], "five");
    EXPECT_EQ(model.settings().rulers[5], "six6");
    EXPECT_DOUBLE_EQ(model.settings().amToPmScores6[0], 0.75);
    EXPECT_DOUBLE_EQ(model.settings().weight6(0, 1, 1), 0.75);
    EXPECT_EQ(model.settings().bridge, 1);

    // Whatever BRIDGE held, the program writes "0".
    model.saveSettings5(SettingsWrite::Update);
    EXPECT_EQ(rowsOf(test::connectionOf(model), "SELECT BRIDGE FROM TB_SETUP ORDER BY ID"),
              (std::vector<std::string>{"0", "0"}));
}

TEST_F(SettingsTest, DamagedRowsReadAsNumbersInRange) {
    createThenChange([](sqlite3* raw) {
        test::exec(raw, "UPDATE TB_SETUP SET FACTOR='x', SCORE1='abc', SCORE2=NULL, DIVISION=7, "
                        "RANK=-5, SORT=9, MATCH='y', RULER2=NULL WHERE ID=1");
        test::exec(raw, "UPDATE TB_SETUP SET PROJECTNAME=NULL WHERE ID=2");
    });
    ProjectModel model;
    test::openIn(model, dir, "abc");
    const SearchSettings& s = model.settings();
    EXPECT_EQ(s.factor, 0);
    EXPECT_DOUBLE_EQ(s.amToPmScores5[0], 0.0);
    EXPECT_DOUBLE_EQ(s.amToPmScores5[1], 0.0);
    EXPECT_EQ(s.conditions, (SearchConditions{0, -1, 0, 1}));
    EXPECT_EQ(s.rulers[1], "");
    EXPECT_EQ(s.rowTwoMarker, 0);
    model.saveSettings();
    EXPECT_EQ(test::firstOf(test::connectionOf(model),
                            "SELECT FACTOR, DIVISION, RANK, SORT, MATCH FROM TB_SETUP WHERE ID=1"),
              "0|0|-1|0|0");
}

TEST_F(SettingsTest, ResetKeepsTheProjectNameAndRestoresDefaults) {
    SearchSettings s;
    s.projectName = "keep";
    s.factor = 9;
    s.conditions.topNIndex = 3;
    s.amToPmScores6.fill(1.0);
    s.rulers[2] = "x";
    s.rowTwoMarker = 5;
    s.reset();
    EXPECT_EQ(s.projectName, "keep");
    EXPECT_EQ(s.factor, 2);
    EXPECT_EQ(s.conditions, SearchConditions{});
    EXPECT_EQ(s.conditions.topNIndex, -1);
    EXPECT_EQ(s.amToPmScores6, SearchSettings::defaultScores6(1));
    EXPECT_EQ(s.rulers[2], classDescription(3));
    EXPECT_EQ(s.rowTwoMarker, 2);
    // weight(p 3, a 4) is -0.995 in row 1; the six-class rows are transposes of each other.
    EXPECT_DOUBLE_EQ(s.amToPmScores5[13], -0.995);
    for (int c = 1; c <= 6; ++c) {
        for (int r = 1; r <= 6; ++r)
            EXPECT_DOUBLE_EQ(s.weight6(0, c, r), s.weight6(1, r, c));
    }
}

} // namespace
} // namespace qdx
