#include "views/entry/EntryForm.h"
#include "support/ProjectFixture.h"
#include "support/TestFiles.h"
#include "views/entry/EntryMessages.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

using test::chartRecord;
using test::TempDir;

// A project with PM records T01-00001 (key 1) and IMPORTT02-00005 (key 2, valid "2") and an
// AM record D1-00007 (key 1), open for the test.
class EntryFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        DentalRecord imported = chartRecord("IMPORTT02-00005", std::string(32, '1'));
        imported.valid = "2";
        test::writeProject(m_dir.file("p.qdx"),
                           {chartRecord("T01-00001", std::string(32, '1')), imported},
                           {chartRecord("D1-00007", std::string(32, '2'))});
        openProjectFile(m_model, splitProjectPath(m_dir.file("p.qdx")));
    }
    void TearDown() override { m_model.close(false); }

    std::optional<std::string> newIdError(int side, const std::string& upper,
                                          const std::string& lower) {
        EntryForm form = newEntryForm(side);
        form.upper = upper;
        form.lower = lower;
        return checkEntryId(form, m_model).error;
    }

    EntryForm importedForm() {
        EntryForm form = modifyEntryForm(PostMortem, m_model.getRecordWithMatch(PostMortem, 2));
        form.importedId = hasImportedId(m_model, PostMortem, 2);
        return form;
    }

    TempDir m_dir;
    ProjectModel m_model;
};

TEST_F(EntryFormTest, NewRecordIdentifierRulesInTheirOrder) {
    EXPECT_EQ(newIdError(PostMortem, "", ""), "ID上位部が指定されていません。");
    EXPECT_EQ(newIdError(PostMortem, "A-1", ""), "ID上位部に\"-\"(ハイフン)は指定できません。");
    EXPECT_EQ(newIdError(PostMortem, "A", ""), "ID下位部が指定されていません。");
    EXPECT_EQ(newIdError(PostMortem, "A", "12a"), "ID下位部に数字以外が指定されています。");
    EXPECT_EQ(newIdError(PostMortem, "A", "１２"), "ID下位部に数字以外が指定されています。");
    EXPECT_EQ(newIdError(PostMortem, "A", "-1"), "ID下位部に数字以外が指定されています。");
    EXPECT_EQ(newIdError(PostMortem, "A", "100000"), "ID下位部は0～99999で指定してください。");
    EXPECT_EQ(newIdError(PostMortem, "A", "99999999999999999999"),
              "ID下位部は0～99999で指定してください。");
    EXPECT_EQ(newIdError(PostMortem, "T01", "1"), "IDはすでに登録されています。");
    // The same ID on the other side is no conflict.
    EXPECT_EQ(newIdError(AnteMortem, "T01", "1"), std::nullopt);
    EXPECT_EQ(newIdError(PostMortem, "D1", "7"), std::nullopt);

    EntryForm form = newEntryForm(PostMortem);
    form.upper = "A";
    form.lower = "12";
    EXPECT_EQ(checkEntryId(form, m_model).storedLower, "00012");
    form.lower = "00012";
    EXPECT_EQ(checkEntryId(form, m_model).storedLower, "00012");
    form.lower = "0";
    EXPECT_EQ(checkEntryId(form, m_model).storedLower, "00000");
    form.lower = "x";
    EXPECT_EQ(checkEntryId(form, m_model).focus, EntryField::Lower);
    form.upper = "";
    EXPECT_EQ(checkEntryId(form, m_model).focus, EntryField::Upper);
}

TEST_F(EntryFormTest, AModifiedRecordKeepsItsIdUnchecked) {
    EntryForm form = modifyEntryForm(PostMortem, m_model.getRecordWithMatch(PostMortem, 1));
    EXPECT_FALSE(hasImportedId(m_model, PostMortem, 1));
    EXPECT_EQ(form.upper, "T01");
    EXPECT_EQ(form.lower, "00001");
    form.lower = "1"; // not reformatted: the field is disabled in the dialog
    const EntryIdCheck check = checkEntryId(form, m_model);
    EXPECT_EQ(check.error, std::nullopt);
    EXPECT_EQ(check.storedLower, "1");
}

TEST_F(EntryFormTest, AnImportedIdIsCheckedAgainstOtherRecordsAndThePrefix) {
    EntryForm form = importedForm();
    ASSERT_TRUE(form.importedId);
    EXPECT_FALSE(hasImportedId(m_model, PostMortem, 0));
    // Its own unchanged ID passes the duplicate check and stops at the prefix.
    EXPECT_EQ(checkEntryId(form, m_model).error, std::string(entry_messages::kImportPrefixLeft));
    form.upper = "xIMPORTx";
    EXPECT_EQ(checkEntryId(form, m_model).error, std::string(entry_messages::kImportPrefixLeft));
    form.upper = "T01";
    form.lower = "1";
    EXPECT_EQ(checkEntryId(form, m_model).error, "IDはすでに登録されています。");
    form.lower = "1000000";
    EXPECT_EQ(checkEntryId(form, m_model).error, "ID下位部は0～99999で指定してください。");
    form.upper = "";
    EXPECT_EQ(checkEntryId(form, m_model).error, "ID上位部が指定されていません。");
    form.upper = "T02";
    form.lower = "5";
    const EntryIdCheck check = checkEntryId(form, m_model);
    EXPECT_EQ(check.error, std::nullopt);
    EXPECT_EQ(check.storedLower, "00005");
}

TEST_F(EntryFormTest, QuestionsBeforeSaving) {
    EntryForm pm = newEntryForm(PostMortem);
    EXPECT_EQ(entryQuestions(pm), std::vector<EntryQuestion>{EntryQuestion::NoPlace});
    pm.place = "気仙沼";
    EXPECT_TRUE(entryQuestions(pm).empty());
    EXPECT_TRUE(entryQuestions(newEntryForm(AnteMortem)).empty());

    EntryForm am = modifyEntryForm(AnteMortem, m_model.getRecordWithMatch(AnteMortem, 1));
    am.matchState = {"デンタルチャートで判明", "", true};
    EXPECT_EQ(entryQuestions(am), std::vector<EntryQuestion>{EntryQuestion::NoPartner});
    am.matchState = {"他の情報で判明", "T01-00001", true};
    EXPECT_TRUE(entryQuestions(am).empty());
    am.matchState = {"鑑定中", ""};
    EXPECT_TRUE(entryQuestions(am).empty());
    am.side = PostMortem;
    am.matchState = {"他の情報で判明", "", true};
    EXPECT_EQ(entryQuestions(am),
              (std::vector<EntryQuestion>{EntryQuestion::NoPlace, EntryQuestion::NoPartner}));
    EXPECT_EQ(questionText(EntryQuestion::NoPlace),
              "場所が指定されていません。保存してよろしいですか？");
}

TEST_F(EntryFormTest, SavingAnUnchangedNewRecordStoresNoInformationEverywhere) {
    // A row waiting for the ante-mortem record A-00003 names post-mortem record 1.
    MatchRow pending = test::matchRow(1, 0, "3");
    pending.I_MATCHID = "0A-00003";
    matches::insertMatch(m_model.database(), pending);

    EntryForm form = newEntryForm(AnteMortem);
    EXPECT_EQ(form.registrationDate, DentalRecord::todayText());
    form.upper = "A";
    form.lower = "3";
    form.name = "山田";
    form.sex = 2;
    form.agegroup = 11;
    const EntryIdCheck check = checkEntryId(form, m_model);
    ASSERT_EQ(check.error, std::nullopt);
    m_model.clearEntry();
    fillRecordEntry(form, check.storedLower, m_model.entry());
    storeEntryWithMatches(m_model);

    long long key = 0;
    ASSERT_FALSE(m_model.isIdFree(AnteMortem, "A-00003", key));
    const DentalRecord stored = m_model.getRecordWithMatch(AnteMortem, key);
    EXPECT_EQ(stored.classChart, std::string(32, '5'));
    EXPECT_EQ(stored.presentChart, std::string(32, '0'));
    EXPECT_EQ(stored.name, "山田");
    EXPECT_EQ(stored.sex, "2");
    EXPECT_EQ(stored.agegroup, "11");
    EXPECT_EQ(stored.valid, "1");
    EXPECT_EQ(stored.UpdateTime, DentalRecord::todayText());
    // The waiting row now names the new record.
    EXPECT_EQ(stored.MATCH_KIND, MatchKind::UnderInvestigation);
    EXPECT_EQ(stored.Match_ID, "T01-00001");
    EXPECT_TRUE(m_model.recordsChangedAM());
}

TEST_F(EntryFormTest, SavingAModifiedRecordWritesTheChartAndClearsTheImportState) {
    EntryForm form = importedForm();
    form.upper = "T02";
    form.chart.apply(BulkSetting::AllPresent);
    form.chart.toggleBridge(3);
    form.chart.toggleDeciduous(3);
    form.place = "陸前高田";
    const EntryIdCheck check = checkEntryId(form, m_model);
    ASSERT_EQ(check.error, std::nullopt);
    fillRecordEntry(form, check.storedLower, m_model.entry());
    EXPECT_TRUE(m_model.entry().isUpdate);
    EXPECT_EQ(m_model.entry().dentalId, 2);
    m_model.entryMatches() = m_model.getMatchHistory(PostMortem, 2);
    storeEntryWithMatches(m_model);

    const DentalRecord stored = m_model.getRecordWithMatch(PostMortem, 2);
    EXPECT_EQ(stored.displayId, "T02-00005");
    EXPECT_EQ(stored.valid, "1");
    EXPECT_EQ(stored.classChart, std::string(32, '5'));
    EXPECT_EQ(stored.presentChart, std::string(32, '1'));
    EXPECT_EQ(stored.bridgeChart, "0001" + std::string(28, '0'));
    EXPECT_EQ(stored.deciduousChart, "0001" + std::string(28, '0'));
    EXPECT_EQ(stored.place, "陸前高田");
    // An update keeps the registration date.
    EXPECT_EQ(stored.UpdateTime, "2026-03-11");
}

TEST(EntryFormCodes, StoredCodesOutsideTheListsOpenAsUnknown) {
    DentalRecord record = test::chartRecord("A-00001", std::string(32, '1'));
    record.sex = "7";
    record.agegroup = "x1";
    EntryForm form = modifyEntryForm(PostMortem, record);
    EXPECT_EQ(form.sex, 0);
    EXPECT_EQ(form.agegroup, 0);
    record.sex = "2";
    record.agegroup = "11";
    form = modifyEntryForm(PostMortem, record);
    EXPECT_EQ(form.sex, 2);
    EXPECT_EQ(form.agegroup, 11);
    record.agegroup = "12";
    EXPECT_EQ(modifyEntryForm(PostMortem, record).agegroup, 0);
}

TEST(EntryMatchState, FromTheRecordSummary) {
    DentalRecord record;
    EXPECT_EQ(matchStateOfRecord(record).label, "判明していない");
    record.MATCH = "4";
    record.MATCH_KIND = MatchKind::Imposter;
    record.Match_ID = "X-00001";
    EXPECT_EQ(matchStateOfRecord(record).label, "判明していない");
    EXPECT_EQ(matchStateOfRecord(record).partnerId, "");
    record.MATCH_KIND = MatchKind::UnderInvestigation;
    EXPECT_EQ(matchStateOfRecord(record).label, "鑑定中");
    EXPECT_EQ(matchStateOfRecord(record).partnerId, "");
    record.MATCH_KIND = MatchKind::IdentifiedByOther;
    EXPECT_EQ(matchStateOfRecord(record).label, "他の情報で判明");
    EXPECT_EQ(matchStateOfRecord(record).partnerId, "X-00001");
    record.MATCH_KIND = MatchKind::Identified;
    EXPECT_EQ(matchStateOfRecord(record).label, "判明済み");
    EXPECT_EQ(matchStateOfRecord(record, Language::English).label, "Identified");
    record.MATCH_KIND = MatchKind::fromStored("9");
    EXPECT_EQ(matchStateOfRecord(record).label, "判明していない");
}

TEST(EntryMatchState, FromTheEditedHistory) {
    const auto row = [](const std::string& kind, const std::string& partner, int state) {
        MatchRow r;
        r.KIND = MatchKind::fromStored(kind);
        r.Match_ID = partner;
        r.editState = state;
        return r;
    };
    EXPECT_EQ(matchStateOfHistory({}).label, "判明していない");
    std::vector<MatchRow> rows = {row("4", "B-00001", MatchRow::AsRead),
                                  row("3", "B-00002", MatchRow::AsRead)};
    EXPECT_EQ(matchStateOfHistory(rows).label, "鑑定中");
    rows.push_back(row("1", "B-00009", MatchRow::Added));
    rows.push_back(row("1", "B-00003", MatchRow::Changed));
    rows.push_back(row("0", "B-00004", MatchRow::Deleted));
    const MatchStateDisplay shown = matchStateOfHistory(rows);
    EXPECT_EQ(shown.label, "デンタルチャートで判明");
    EXPECT_EQ(shown.partnerId, "B-00003");
    rows = {row("4", "B-00001", MatchRow::AsRead), row("1", "B-00002", MatchRow::Deleted)};
    EXPECT_EQ(matchStateOfHistory(rows).label, "判明していない");
}

TEST(EntryTexts, RegistrationDateAndCaption) {
    EXPECT_EQ(registrationDateText("2016-05-01"), "登録日   2016 年 05 月 01 日");
    EXPECT_EQ(registrationDateText("2016-05-01", Language::English), "登録日   May 01, 2016");
    EXPECT_EQ(registrationDateText("2016-12-31", Language::English), "登録日   December 31, 2016");
    // Stored text another tool wrote: shown as far as it goes, never a crash.
    EXPECT_EQ(registrationDateText(""), "登録日    年  月  日");
    EXPECT_EQ(registrationDateText("2016/05/01"), "登録日   2016/05/01 年  月  日");
    EXPECT_EQ(registrationDateText("2016-13-01", Language::English), "登録日    01, 2016");
    EXPECT_EQ(entryCaption(AnteMortem, true), "[生前]修正 - Quendix Free");
    EXPECT_EQ(entryCaption(PostMortem, false), "[死後]新規登録 - Quendix Free");
}

} // namespace
} // namespace qdx
