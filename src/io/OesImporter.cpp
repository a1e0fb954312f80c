#include "io/OesImporter.h"

#include "io/CsvRecordReader.h"
#include "io/FieldRules.h"
#include "io/ImportChecks.h"
#include "io/ImportLog.h"
#include "io/OesFileName.h"
#include "io/TextCodec.h"
#include "store/ProjectModel.h"

#include <algorithm>
#include <fstream>
#include <optional>

namespace qdx {
namespace {

using fieldrules::integerValue;
using fieldrules::isDigits;

constexpr int kProfileFirstItemField = 2;
constexpr int kProfileItemCount = 26;

std::string utf8(const std::string& cp932) {
    return TextCodec::toUtf8(cp932);
}

std::string bracketed(const char* label, const std::string& field) {
    return std::string(label) + utf8(field) + "]";
}

// The 26 profile items by what they mark on their tooth when set; 9 to 13 and 26 mark nothing.
const FindingCodes kProfileFindings[] = {
    {Finding::Deciduous, {1}},
    {Finding::Sound, {2, 3, 5}},
    {Finding::ToothPresent, {4, 19, 21, 25}},
    {Finding::PartialRestoration, {6, 7, 8}},
    {Finding::FullRestoration, {14, 15, 16, 24}},
    {Finding::Bridge, {17}},
    {Finding::Missing, {18, 20, 22, 23}},
};

// Lost after death, which an ante-mortem chart cannot know of; noted in the log on either side.
constexpr int kLostAfterDeathItem = 21;

constexpr ReadChecks kReadChecks{OesUnexpected, OesFileOk, OesFileNg};

int monthOf(const std::string& date) {
    return integerValue(date.substr(4, 2));
}
int dayOf(const std::string& date) {
    return integerValue(date.substr(6, 2));
}

} // namespace

Finding oesProfileFinding(int item) {
    return findingFor(item, kProfileFindings);
}

OesImporter::OesImporter(ProjectModel& model, ImportLog& log, int side, bool fastLookup)
    : m_model(model), m_log(log), m_side(side), m_keys(model, side, fastLookup) {
    setToday(DentalRecord::todayText());
}

void OesImporter::setToday(const std::string& today) {
    m_today = today;
    std::string digits;
    for (char c : today) {
        if (c >= '0' && c <= '9') {
            digits.push_back(c);
        }
    }
    m_todayNumber = std::atoll(digits.c_str());
}

OesImporter::Outcome OesImporter::warn(int check, const std::string& message) {
    m_log.write(ImportLog::Warning, check, message);
    return Outcome::Fail;
}

void OesImporter::info(int check, const std::string& message) {
    m_log.write(ImportLog::Info, check, message);
}

bool OesImporter::readFile(std::istream& in, const std::string& registrationDate) {
    m_date = registrationDate;
    m_version.clear();
    m_versionRead = false;
    m_previousTb.clear();
    m_previousTf.clear();
    return readRecords(in);
}

bool OesImporter::readRecords(std::istream& in) {
    CsvRecordReader reader(in);
    bool skipping = false;
    while (reader.next()) {
        const Fields f = splitCsvFields(reader.record());
        if (f.empty() || f[0].empty()) {
            continue;
        }
        const std::string area = f[0].substr(0, 2);
        if (skipping && area != "TB" && area != "DT") {
            continue;
        }
        skipping = false;
        const Outcome outcome = handle(f, reader.lastLine());
        if (area == "TB") {
            m_previousTb = reader.lastLine();
        } else if (area == "TF") {
            m_previousTf = reader.lastLine();
        }
        if (outcome == Outcome::Fail) {
            return false;
        }
        skipping = outcome == Outcome::Skip;
    }
    if (reader.unclosedAtEnd()) {
        warn(OesOpenQuote, "■ダブルコーテーションの使い方NG");
        return false;
    }
    return true;
}

OesImporter::Outcome OesImporter::handle(const Fields& f, const std::string& line) {
    const std::string area = f[0].substr(0, 2);
    if (area == "VR") {
        return version(f);
    }
    if (area == "ON") {
        return organisation(f);
    }
    if (area == "PN") {
        return person(f);
    }
    if (area == "NS") {
        return f.size() < 8
                   ? warn(OesExaminationFields,
                          "■NSエリア [データ数チェックNG:" + std::to_string(f.size()) + "]")
                   : Outcome::Continue;
    }
    if (area == "TB") {
        return tooth(f, line);
    }
    if (area == "TF") {
        return profile(f, line);
    }
    if (area == "DT") {
        store();
    }
    return Outcome::Continue;
}

OesImporter::Outcome OesImporter::version(const Fields& f) {
    if (f.size() < 6) {
        return warn(OesVersionFields,
                    "■VRエリア [データ数チェックNG:" + std::to_string(f.size()) + "]");
    }
    m_version = utf8(f[1]);
    m_versionRead = true;
    return Outcome::Continue;
}

OesImporter::Outcome OesImporter::organisation(const Fields& f) {
    m_model.clearEntry();
    m_chart.reset();
    m_organisationRead = false;
    m_personRead = false;
    if (f.size() < 16) {
        return warn(OesOrganisationFields,
                    "■ONエリア [データ数チェックNG:" + std::to_string(f.size()) + "]");
    }
    const std::string& code = f[8];
    if (code.empty()) {
        return warn(OesInstitutionMissing, "■入力機関コードチェック [必須項目：未設定]");
    }
    if (!isDigits(code)) {
        return warn(OesInstitutionDigits,
                    bracketed("■入力機関コードチェック [数値チェックNG:", code));
    }
    if (code.size() != 7) {
        return warn(OesInstitutionLength,
                    bracketed("■入力機関コードチェック [入力桁チェック（7桁）NG:", code));
    }
    m_model.entry().upperIdPart = code;
    m_organisationRead = true;
    return Outcome::Continue;
}

bool OesImporter::checkPersonRequired(const Fields& f, int sexField, int birthField) {
    if (f[5].empty()) {
        warn(OesPatientIdMissing, "■医療機関内ＩＤチェック [必須項目：未設定]");
        return false;
    }
    if (f[8].empty()) {
        warn(OesVisitMissing, "■診療・健診年月日チェック [必須項目：未設定]");
        return false;
    }
    if (f[9].empty()) {
        info(OesNameMissing, "■氏名チェック [必須項目：未設定]");
    }
    if (f[sexField].empty()) {
        warn(OesSexMissing, "■男女区分チェック [必須項目：未設定]");
        return false;
    }
    if (f[birthField].empty()) {
        warn(OesBirthMissing, "■生年月日チェック [必須項目：未設定]");
        return false;
    }
    return true;
}

bool OesImporter::checkPersonValues(const Fields& f, int sexField, int birthField) {
    const std::string& id = f[5];
    const std::string& visit = f[8];
    const std::string& sex = f[sexField];
    const std::string& birth = f[birthField];
    struct Check {
        bool failed;
        int number;
        const char* label;
        const std::string& field;
    };
    // Each check only runs when the ones before it passed, so the later ones may rely on the
    // digits and lengths checked earlier.
    const auto run = [this](std::initializer_list<Check> checks) {
        for (const Check& c : checks) {
            if (c.failed) {
                warn(c.number, bracketed(c.label, c.field));
                return false;
            }
        }
        return true;
    };
    const int sexValue = integerValue(sex);
    const int relation = integerValue(f[4]);
    return run({
               {!isDigits(id), OesPatientIdDigits, "■医療機関内ＩＤチェック [数値チェックNG:", id},
               {!isDigits(visit), OesVisitDigits,
                "■最終診療年月日チェック [数値チェックNG:", visit},
               {!isDigits(sex), OesSexDigits, "■男女区分チェック [数値チェックNG:", sex},
               {!isDigits(birth), OesBirthDigits, "■生年月日チェック [数値チェックNG:", birth},
               {visit.size() != 8, OesVisitLength,
                "■最終診療年月日チェック [入力桁チェック（8桁）NG:", visit},
               {sex.size() != 2, OesSexLength, "■男女区分チェック [入力桁チェック（2桁）NG:", sex},
               {birth.size() != 8, OesBirthLength,
                "■生年月日チェック [入力桁チェック（8桁）NG:", birth},
               {sexValue != 1 && sexValue != 2, OesSexRange,
                "■男女区分チェック [値範囲チェック（1or2）NG:", sex},
               {relation != 1 && relation != 2, OesRelationRange,
                "■本人・家族別チェック [値範囲チェック（1or2）NG:", f[4]},
           }) &&
           run({{monthOf(visit) < 1 || monthOf(visit) > 12, OesVisitMonth,
                 "■最終診療年月日チェック [論理チェック（月）NG:", visit}}) &&
           run({{!fieldrules::validDay(monthOf(visit), dayOf(visit)), OesVisitDay,
                 "■最終診療年月日チェック [論理チェック（日）NG:", visit}}) &&
           run({{monthOf(birth) < 1 || monthOf(birth) > 12, OesBirthMonth,
                 "■生年月日チェック [論理チェック（月）NG:", birth}}) &&
           run({{!fieldrules::validDay(monthOf(birth), dayOf(birth)), OesBirthDay,
                 "■生年月日チェック [論理チェック（日）NG:", birth}});
}

OesImporter::Outcome OesImporter::person(const Fields& f) {
    if (f.size() < 16) {
        return warn(OesPersonFields,
                    "■PNエリア [データ数チェックNG:" + std::to_string(f.size()) + "]");
    }
    // The newer layout has one more field before the sex field.
    const bool newer = f.size() == 17;
    const int sexField = newer ? 11 : 10;
    const int birthField = newer ? 12 : 11;
    if (!m_versionRead) {
        m_version = newer ? "HVZOES001010" : "HVZOES001000";
    }
    m_log.write(ImportLog::Warning, OesVersion, "■バージョン [" + m_version + "]");
    if (!checkPersonRequired(f, sexField, birthField) ||
        !checkPersonValues(f, sexField, birthField)) {
        return Outcome::Fail;
    }
    RecordEntry& entry = m_model.entry();
    entry.lowerIdPart = f[5];
    entry.name = utf8(f[9]);
    entry.sex = integerValue(f[sexField]);
    entry.agegroup = ageGroup(f[birthField]);
    m_personRead = true;
    return Outcome::Continue;
}

int OesImporter::ageGroup(const std::string& birthDate) const {
    const long long age = (m_todayNumber - std::atoll(birthDate.c_str())) / 10000;
    // A birth date after today gives no age; it is stored as unknown rather than as a code
    // outside the table.
    if (age < 0) {
        return 0;
    }
    return static_cast<int>(std::min<long long>(age, 100) / 10 + 1);
}

OesImporter::Outcome OesImporter::tooth(const Fields& f, const std::string& line) {
    if (f.size() < 9) {
        return warn(OesToothFields,
                    "■TBエリア [データ数チェックNG:" + std::to_string(f.size()) + "]");
    }
    const std::string& code = f[1];
    const std::string& state = f[2];
    const std::string& part = f[3];
    if (code.empty()) {
        return warn(OesToothCodeMissing, "■歯種コードチェック [必須項目：未設定]");
    }
    if (state.empty()) {
        return warn(OesStateMissing, "■状態コードチェック [必須項目：未設定]");
    }
    if (part.empty()) {
        return warn(OesPartMissing, "■部分コードチェック [必須項目：未設定]");
    }
    if (code.size() != 4) {
        return warn(OesToothCodeLength,
                    bracketed("■歯種コードチェック [入力桁チェック（4桁）NG:", code));
    }
    if (state.size() != 1) {
        return warn(OesStateLength,
                    bracketed("■状態コードチェック [入力桁チェック（1桁）NG:", state));
    }
    if (part.size() != 1) {
        return warn(OesPartLength,
                    bracketed("■部分コードチェック [入力桁チェック（1桁）NG:", part));
    }
    const OesTooth found = lookUpOesToothCode(code);
    if (found.kind == OesTooth::Supernumerary) {
        m_log.write(ImportLog::Warning, OesSupernumerary,
                    bracketed("■歯種コードチェック [過剰歯NG:", code));
        return Outcome::Skip;
    }
    if (found.kind == OesTooth::Unknown) {
        return warn(OesToothCodeUnknown,
                    bracketed("■歯種コードチェック [値範囲チェック（0）NG:", code));
    }
    m_currentTooth = found;
    const int stateValue = integerValue(state);
    if (stateValue < 0 || stateValue > 9) {
        return warn(OesStateRange,
                    bracketed("■状態コードチェック [値範囲チェック（0～9）NG:", state));
    }
    const int partValue = integerValue(part);
    if (partValue < 0 || partValue > 8) {
        return warn(OesPartRange,
                    bracketed("■状態コードチェック [値範囲チェック（0～8）NG:", part));
    }
    if (stateValue == 3) {
        m_chart.bridges[found.position] = 1;
    }
    m_discard = line == m_previousTb;
    if (m_discard) {
        info(OesRepeatedTooth, "■TBコードが一緒の場合、データ捨てフラグON");
    }
    return Outcome::Continue;
}

OesImporter::Outcome OesImporter::profile(const Fields& f, const std::string& line) {
    if (f.size() < 32) {
        return warn(OesProfileFields,
                    "■TFエリア [データ数チェックNG:" + std::to_string(f.size()) + "]");
    }
    if (f[1].empty()) {
        return warn(OesProfileFlagMissing,
                    "■標準プロファイル26項目の情報の有無チェック [必須項目：未設定]");
    }
    if (integerValue(f[1]) == 0) {
        info(OesNoProfile, "■標準プロファイル26項目登録データなし");
        return Outcome::Continue;
    }
    if (line == m_previousTf && m_discard) {
        info(OesRepeatedProfile, "■歯式コードが一緒でTFコードが一緒の場合、データ捨て");
        return Outcome::Continue;
    }
    // A profile before any tooth of the import has no position to go to.
    if (m_currentTooth.position < 0) {
        return Outcome::Continue;
    }
    const int p = m_currentTooth.position;
    if (m_currentTooth.kind == OesTooth::Deciduous) {
        // A permanent tooth that already has findings keeps them; the deciduous mark is only
        // set when the deciduous profile is taken.
        if (m_chart.classes[p] != 5 || m_chart.present[p] != 0) {
            return Outcome::Continue;
        }
        m_chart.deciduous[p] = 1;
    } else if (m_chart.deciduous[p] != 0) {
        m_chart.resetPosition(p); // the permanent tooth replaces the deciduous one
    }
    applyProfileItems(f, p);
    m_chart.writeTo(m_model.entry(), p);
    return Outcome::Continue;
}

void OesImporter::applyProfileItems(const Fields& f, int p) {
    for (int item = 1; item <= kProfileItemCount; ++item) {
        const int number = item + kProfileFirstItemField - 1;
        const std::string& value = f[number];
        if (value.empty()) {
            info(OesItemEmpty, "■標準プロファイル26項目データ省略：" + std::to_string(number));
            continue;
        }
        if (value.size() != 2) {
            warn(OesItemLength, "■標準プロファイル26項目データ桁数異常：" + utf8(value));
            continue;
        }
        const int v = integerValue(value);
        if (v < 0 || v > 1) {
            warn(OesItemValue, "■標準プロファイル26項目データ値異常（0or1）：" + utf8(value));
            continue;
        }
        if (v == 0) {
            info(OesItemUnset, "■標準プロファイル26項目未設定(0)：" + utf8(value));
            continue;
        }
        if (item == kLostAfterDeathItem) {
            info(OesLostAfterDeath, "■生前データなので、本来は死後脱落はない！");
        }
        m_chart.apply(p, oesProfileFinding(item));
    }
}

void OesImporter::store() {
    // A "DT" without a person read since the last one would store an empty or repeated ID.
    if (!m_organisationRead || !m_personRead) {
        return;
    }
    m_organisationRead = false;
    m_personRead = false;
    m_model.entry().registrationDate = m_date;
    m_keys.storeEntry();
}

namespace {

// Reads one file of the folder and logs its outcome; false when it failed. A store failure
// ends the file as the unexpected error and is thrown on: the files after it are not read.
bool importOesFile(OesImporter& importer, ImportLog& log, const std::filesystem::path& file,
                   const std::string& today) {
    log.write(ImportLog::Info, OesFile, file.string());
    const std::vector<std::string> parts = oesname::splitName(file.filename().string());
    if (parts.size() != 3) {
        log.write(ImportLog::Warning, OesFileName,
                  "ファイル名はハイフンで3分割されている必要があります。");
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return true; // an unreadable file is passed over
    }
    return runLoggedRead(log, kReadChecks, [&] {
        return importer.readFile(in, oesname::registrationDate(parts[1], today));
    });
}

} // namespace

ImportResult importOesFolder(ProjectModel& model, int side, const std::filesystem::path& folder,
                             const std::filesystem::path& logFolder, bool fastLookup) {
    ImportResult result;
    ImportLog log;
    if (!result.openLog(log, logFolder)) {
        return result;
    }
    std::optional<OesImporter> importer;
    if (!runLoggingUnexpected(log, OesUnexpected, [&] {
            importer.emplace(model, log, side, fastLookup);
            return true;
        })) {
        result.failed = true;
        return result;
    }
    const std::string today = DentalRecord::todayText();
    // The log names each file by its full path, also when the folder was given relative.
    std::error_code error;
    std::filesystem::path fullFolder = std::filesystem::absolute(folder, error);
    if (error) {
        fullFolder = folder;
    }
    for (const std::filesystem::path& file : oesname::listOesFiles(fullFolder)) {
        if (!importOesFile(*importer, log, file, today)) {
            result.failed = true;
        }
    }
    return result;
}

} // namespace qdx
