#pragma once

#include "model/Wording.h"

#include "model/Labels.h"
#include "store/MatchRow.h"
#include "store/RecordEntry.h"
#include "views/entry/EntryChart.h"

#include <optional>
#include <string>
#include <vector>

namespace qdx {

class ProjectModel;

// What the entry dialog shows about the record's outcome: the match-state label and, for a
// record identified as the same person as a record of the other side (kinds 1 and 2), that
// partner's displayId.
struct MatchStateDisplay {
    std::string label;
    std::string partnerId;
    bool namesPartner = false;
};

// Every value of the entry dialog, without the dialog. The window keeps its controls in step
// with it; `qdx add` and `qdx edit` fill it from their options.
struct EntryForm {
    int side = PostMortem;
    bool modify = false;
    long long dentalId = 0;
    std::string upper;
    std::string lower;
    int sex = 0;
    int agegroup = 0;
    std::string name;
    std::string place;
    std::string summary;
    std::string registrationDate; // the record's UpdateTime, shown, not stored
    EntryChart chart;
    // Set when the check after opening found an ID a project import had to change (valid
    // "2"): the ID fields become editable and are checked again on save.
    bool importedId = false;
    MatchStateDisplay matchState;
};

// A new record of the side: the defaults of a new DentalRecord.
EntryForm newEntryForm(int side, Language language = Language::Japanese);
// The record to modify, as read with its match summary.
EntryForm modifyEntryForm(int side, const DentalRecord& record,
                          Language language = Language::Japanese);

// The outcome shown for a record from its match summary (MATCH, MATCH_KIND, Match_ID).
MatchStateDisplay matchStateOfRecord(const DentalRecord& record,
                                     Language language = Language::Japanese);
// The outcome after the match history was edited: the smallest kind among the entries not
// marked deleted.
MatchStateDisplay matchStateOfHistory(const std::vector<MatchRow>& entries,
                                      Language language = Language::Japanese);

// True when the stored record has an ID that a project import changed (valid "2"); what the
// dialog checks 50 ms after it opened. False for a record not stored yet.
bool hasImportedId(const ProjectModel& model, int side, long long dentalId);

enum class EntryField { None, Upper, Lower };

struct EntryIdCheck {
    std::optional<std::string> error; // the message of the first failing rule
    EntryField focus = EntryField::None;
    std::string storedLower; // the lower part that is stored when the checks pass
};

// The identifier checks of 保存, in their order: every rule for a new record; for a modified
// record only after an import changed its ID (then a duplicate is another record's ID, and the
// import prefix must be gone); otherwise nothing.
EntryIdCheck checkEntryId(const EntryForm& form, const ProjectModel& model);

enum class EntryQuestion { NoPlace, NoPartner };

// The yes/no questions 保存 asks after the identifier checks, in order.
std::vector<EntryQuestion> entryQuestions(const EntryForm& form);
std::string_view questionText(EntryQuestion question);

// Copies the form into the record being stored (registration date today, state normal).
void fillRecordEntry(const EntryForm& form, const std::string& storedLower, RecordEntry& entry);

// What the main window does after a save: stores model.entry() and then model.entryMatches().
void storeEntryWithMatches(ProjectModel& model);

// 登録日 text of a "%Y-%m-%d" date: "登録日   2016 年 05 月 01 日", in English
// "登録日   May 01, 2016". Missing pieces stay empty.
std::string registrationDateText(const std::string& updateTime,
                                 Language language = Language::Japanese,
                                 const Wording& wording = {});
// "[死後]新規登録 - Quendix Free", "[生前]修正 - Quendix Free".
std::string entryCaption(int side, bool modify, const Wording& wording = {});

} // namespace qdx
