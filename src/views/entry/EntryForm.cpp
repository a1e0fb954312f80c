#include "views/entry/EntryForm.h"

#include "model/RecordId.h"
#include "store/ProjectModel.h"
#include "views/entry/EntryMessages.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace qdx {

namespace {

// A stored code that is not a small decimal number reads as 0 (不明).
int codeValue(const std::string& code, int count) {
    if (code.empty() || code.size() > 3 || code.find_first_not_of("0123456789") != code.npos)
        return 0;
    const int value = std::atoi(code.c_str());
    return value < count ? value : 0;
}

MatchStateDisplay unidentified(Language language) {
    return {std::string(MatchKind().stateLabel(language)), ""};
}

// The display of a kind: other persons, none and texts that are no kind show as unidentified.
MatchStateDisplay displayOf(const MatchKind& kind, Language language) {
    if (kind == MatchKind::Imposter || kind.stateLabel(language).empty())
        return unidentified(language);
    return {std::string(kind.stateLabel(language)), "", kind.namesPartner()};
}

void fillFromRecord(EntryForm& form, const DentalRecord& record) {
    form.sex = codeValue(record.sex, 3);
    form.agegroup = codeValue(record.agegroup, kAgeGroupCount);
    form.name = record.name;
    form.place = record.place;
    form.summary = record.summary;
    form.registrationDate = record.UpdateTime;
    form.chart = EntryChart::fromRecord(record);
}

} // namespace

EntryForm newEntryForm(int side, Language language) {
    EntryForm form;
    form.side = side;
    fillFromRecord(form, DentalRecord());
    form.matchState = unidentified(language);
    return form;
}

EntryForm modifyEntryForm(int side, const DentalRecord& record, Language language) {
    EntryForm form;
    form.side = side;
    form.modify = true;
    form.dentalId = std::atoll(record.Dental_ID.c_str());
    const IdParts id = splitDisplayId(record.displayId);
    form.upper = id.upper;
    form.lower = id.lower;
    fillFromRecord(form, record);
    form.matchState = matchStateOfRecord(record, language);
    return form;
}

MatchStateDisplay matchStateOfRecord(const DentalRecord& record, Language language) {
    if (record.MATCH.empty())
        return unidentified(language);
    MatchStateDisplay display = displayOf(record.MATCH_KIND, language);
    if (display.namesPartner)
        display.partnerId = record.Match_ID;
    return display;
}

MatchStateDisplay matchStateOfHistory(const std::vector<MatchRow>& entries, Language language) {
    const MatchRow* best = nullptr;
    for (const MatchRow& row : entries) {
        if (row.editState == MatchRow::Deleted)
            continue;
        if (best == nullptr || row.KIND < best->KIND)
            best = &row;
    }
    if (best == nullptr)
        return unidentified(language);
    MatchStateDisplay display = displayOf(best->KIND, language);
    if (!display.namesPartner)
        return display;
    bool first = true;
    for (const MatchRow& row : entries) {
        if (row.editState == MatchRow::Deleted || row.KIND != best->KIND)
            continue;
        if (first || row.Match_ID < display.partnerId)
            display.partnerId = row.Match_ID;
        first = false;
    }
    return display;
}

bool hasImportedId(const ProjectModel& model, int side, long long dentalId) {
    if (dentalId <= 0)
        return false;
    return model.getRecordWithMatch(side, dentalId).valid == "2";
}

EntryIdCheck checkEntryId(const EntryForm& form, const ProjectModel& model) {
    EntryIdCheck result;
    if (form.modify && !form.importedId) {
        result.storedLower = form.lower;
        return result;
    }
    const auto takenByAnother = [&](const std::string& displayId) {
        long long key = 0;
        if (model.isIdFree(form.side, displayId, key))
            return false;
        return !form.modify || key != form.dentalId;
    };
    const IdCheck check = checkRecordId(form.upper, form.lower, takenByAnother);
    if (check.error) {
        result.error = check.error;
        result.focus = check.upperField ? EntryField::Upper : EntryField::Lower;
        return result;
    }
    if (form.modify && form.upper.find(entry_messages::kImportPrefix) != std::string::npos) {
        result.error = std::string(entry_messages::kImportPrefixLeft);
        result.focus = EntryField::Upper;
        return result;
    }
    result.storedLower = check.lower;
    return result;
}

std::vector<EntryQuestion> entryQuestions(const EntryForm& form) {
    std::vector<EntryQuestion> questions;
    if (form.side == PostMortem && form.place.empty())
        questions.push_back(EntryQuestion::NoPlace);
    if (form.modify && form.matchState.namesPartner && form.matchState.partnerId.empty())
        questions.push_back(EntryQuestion::NoPartner);
    return questions;
}

std::string_view questionText(EntryQuestion question) {
    return question == EntryQuestion::NoPlace ? entry_messages::kNoPlace
                                              : entry_messages::kNoPartner;
}

void fillRecordEntry(const EntryForm& form, const std::string& storedLower, RecordEntry& entry) {
    entry.upperIdPart = form.upper;
    entry.lowerIdPart = storedLower;
    for (std::size_t i = 0; i < kToothCount; ++i) {
        entry.classes[i] = form.chart.classIndex[i] + 1;
        entry.bridges[i] = form.chart.bridgeFlag[i];
        entry.present[i] = form.chart.presentFlag[i];
        entry.deciduous[i] = form.chart.deciduousFlag[i];
    }
    entry.registrationDate = DentalRecord::todayText();
    entry.place = form.place;
    entry.summary = form.summary;
    entry.valid = 1;
    entry.sex = form.sex;
    entry.dentalId = form.dentalId;
    entry.name = form.name;
    entry.agegroup = form.agegroup;
    entry.isUpdate = form.modify;
    entry.side = form.side;
}

void storeEntryWithMatches(ProjectModel& model) {
    model.storeEntry();
    model.replaceMatchHistory(model.entry().side, model.entryMatches());
}

std::string registrationDateText(const std::string& updateTime, Language language,
                                 const Wording& wording) {
    static const std::array<const char*, 12> kMonths = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    // Year, month and day: the first three pieces between the "-".
    std::array<std::string, 3> piece;
    std::size_t start = 0;
    for (std::size_t i = 0; i < piece.size() && start <= updateTime.size(); ++i) {
        const std::size_t dash = std::min(updateTime.find('-', start), updateTime.size());
        piece[i] = updateTime.substr(start, dash - start);
        start = dash + 1;
    }
    const std::string prefix = worded(wording, "登録日   ");
    if (language == Language::Japanese)
        return prefix + piece[0] + " 年 " + piece[1] + " 月 " + piece[2] + " 日";
    const int month = codeValue(piece[1], 13);
    const std::string monthName = month >= 1 ? kMonths[static_cast<std::size_t>(month - 1)] : "";
    return prefix + monthName + " " + piece[2] + ", " + piece[0];
}

std::string entryCaption(int side, bool modify, const Wording& wording) {
    return worded(wording, sideBracketLabel(side)) + worded(wording, modify ? "修正" : "新規登録") +
           " - Quendix Free";
}

} // namespace qdx
