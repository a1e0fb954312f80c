#include "io/PenCsvImporter.h"

#include "io/CsvRecordReader.h"
#include "io/FieldRules.h"
#include "io/ImportChecks.h"
#include "io/ImportLog.h"
#include "io/TextCodec.h"
#include "store/ProjectModel.h"

#include <fstream>

namespace qdx {
namespace {

constexpr int kFieldCount = 64;
constexpr int kSexField = 1;
constexpr int kDateField = 3;
constexpr int kPlaceField = 4;
constexpr int kFirstToothField = 7;
constexpr int kFirstUpperDeciduousField = 39;
constexpr int kFirstLowerDeciduousField = 49;
constexpr int kLastChartField = 58;
constexpr int kSummaryField = 59;
constexpr int kPageField = 62;

// The tooth position a chart field describes, and whether it is a deciduous field.
int chartFieldPosition(int field, bool& deciduous) {
    deciduous = field >= kFirstUpperDeciduousField;
    if (field < kFirstUpperDeciduousField) {
        return field - kFirstToothField;
    }
    if (field < kFirstLowerDeciduousField) {
        return 3 + (field - kFirstUpperDeciduousField);
    }
    return 19 + (field - kFirstLowerDeciduousField);
}

std::string utf8(const std::string& cp932) {
    return TextCodec::toUtf8(cp932);
}

// The finding codes of the pen system by what they mark on a tooth; 19 marks nothing.
const FindingCodes kPenFindings[] = {
    {Finding::Sound, {1, 2, 4}},
    {Finding::ToothPresent, {3, 13, 15}},
    {Finding::PartialRestoration, {5, 6, 7}},
    {Finding::FullRestoration, {8, 9, 10, 18}},
    {Finding::Bridge, {11}},
    {Finding::Missing, {12, 14, 16, 17}},
};

constexpr ReadChecks kReadChecks{PenUnexpected, PenImportOk, PenImportNg};

} // namespace

Finding penFinding(int code) {
    return findingFor(code, kPenFindings);
}

void applyPenFindingCode(WorkingChart& chart, int p, int code) {
    chart.apply(p, penFinding(code));
}

PenCsvImporter::PenCsvImporter(ProjectModel& model, ImportLog& log, int side, bool fastLookup)
    : m_model(model), m_log(log), m_side(side), m_keys(model, side, fastLookup) {}

void PenCsvImporter::fail(int check, const std::string& message) {
    m_log.write(ImportLog::Warning, check, message);
}

bool PenCsvImporter::read(std::istream& in) {
    CsvRecordReader reader(in);
    // An empty file has no header either: it is not a pen file.
    const bool hasHeader = reader.next();
    if (!hasHeader && !reader.unclosedAtEnd()) {
        fail(PenHeader, "■入力ファイルチェック [出力情報凡例NG:]");
        return false;
    }
    if (hasHeader) {
        if (reader.record().find(TextCodec::toCp932(kHeaderText)) == std::string::npos) {
            fail(PenHeader, "■入力ファイルチェック [出力情報凡例NG:" + utf8(reader.record()) + "]");
            return false;
        }
        while (reader.next()) {
            const std::vector<std::string> fields = splitCsvFields(reader.record());
            if (!fields.empty() && !takeForm(fields)) {
                return false;
            }
        }
    }
    if (reader.unclosedAtEnd()) {
        fail(PenOpenQuote, "■ダブルコーテーションの使い方NG");
        return false;
    }
    return true;
}

bool PenCsvImporter::checkFields(const std::vector<std::string>& f) {
    if (f.size() < kFieldCount) {
        fail(PenTooFewFields, "■データ取込 データ数チェック[NG:" + std::to_string(f.size()) + "]");
        return false;
    }
    if (f[kPageField].empty()) {
        fail(PenPageMissing, "■データ取込　ページアドレスチェック [必須項目：未設定]");
        return false;
    }
    // The upper ID part can never hold "-": the ID would split at the wrong place when stored.
    if (f[kPageField].find('-') != std::string::npos) {
        fail(PenPageHyphen,
             "■データ取込　ページアドレスチェック [ハイフン（-）NG:" + utf8(f[kPageField]) + "]");
        return false;
    }
    const std::string& sex = f[kSexField];
    if (sex.size() != 1) {
        fail(PenSexLength, "■データ取込　性別チェック [入力桁チェック（1桁）NG:" + utf8(sex) + "]");
        return false;
    }
    if (sex[0] < '0' || sex[0] > '3') {
        fail(PenSexRange,
             "■データ取込　性別チェック [値範囲チェック（0or1or2or3）NG:" + utf8(sex) + "]");
        return false;
    }
    const std::string& date = f[kDateField];
    if (date.size() != 19) {
        fail(PenDateLength,
             "■データ取込　最終更新日付チェック [入力桁チェック（19桁）NG:" + utf8(date) + "]");
        return false;
    }
    // Month and day must be digits: the first ten characters become the registration date.
    const std::string month = date.substr(5, 2);
    const std::string day = date.substr(8, 2);
    const int m = fieldrules::isDigits(month) ? fieldrules::integerValue(month) : 0;
    if (m < 1 || m > 12) {
        fail(PenDateMonth,
             "■データ取込　最終更新日付チェック [論理チェック（月）NG:" + utf8(date) + "]");
        return false;
    }
    if (!fieldrules::isDigits(day) || !fieldrules::validDay(m, fieldrules::integerValue(day))) {
        fail(PenDateDay,
             "■データ取込　最終更新日付チェック [論理チェック（日）NG:" + utf8(date) + "]");
        return false;
    }
    return true;
}

bool PenCsvImporter::readChartField(const std::string& field, int number, const std::string& page,
                                    int& code) {
    if (field.empty()) {
        m_log.write(ImportLog::Info, PenChartEmpty,
                    "■データ取込　チャートデータ省略：" + std::to_string(number) + " " + page);
        return false;
    }
    if (field.size() >= 3) {
        fail(PenChartLength, "■データ取込　チャートデータ桁数異常：" + utf8(field) + " " + page);
        return false;
    }
    code = fieldrules::integerValue(field);
    if (code < 1 || code >= 20) {
        fail(PenChartValue, "■データ取込　チャートデータ値異常：" + utf8(field) + " " + page);
        return false;
    }
    return true;
}

void PenCsvImporter::readChart(const std::vector<std::string>& f, const std::string& page) {
    m_chart.reset();
    for (int number = kFirstToothField; number <= kLastChartField; ++number) {
        int code = 0;
        if (!readChartField(f[number], number, page, code)) {
            continue;
        }
        bool deciduous = false;
        const int p = chartFieldPosition(number, deciduous);
        if (deciduous) {
            // A deciduous tooth only goes where the permanent fields left no finding.
            if (m_chart.classes[p] != 5 || m_chart.present[p] != 0) {
                continue;
            }
            m_chart.deciduous[p] = 1;
        }
        m_chart.apply(p, penFinding(code));
    }
}

bool PenCsvImporter::takeForm(const std::vector<std::string>& f) {
    m_model.clearEntry();
    if (!checkFields(f)) {
        return false;
    }
    RecordEntry& entry = m_model.entry();
    const std::string page = utf8(f[kPageField]);
    entry.upperIdPart = page;
    entry.lowerIdPart = "1";
    entry.sex = f[kSexField][0] == '3' ? 0 : f[kSexField][0] - '0';
    std::string date = f[kDateField].substr(0, 10);
    for (char& c : date) {
        c = c == '/' ? '-' : c;
    }
    entry.registrationDate = utf8(date);
    entry.place = utf8(f[kPlaceField]);
    entry.summary = utf8(f[kSummaryField]);
    readChart(f, page);
    m_chart.writeAllTo(entry);
    storeForm();
    return true;
}

void PenCsvImporter::storeForm() {
    m_keys.storeEntry();
}

ImportResult importPenCsv(ProjectModel& model, int side, const std::filesystem::path& file,
                          const std::filesystem::path& logFolder, bool fastLookup) {
    ImportResult result;
    ImportLog log;
    if (!result.openLog(log, logFolder)) {
        result.failed = true;
        return result;
    }
    std::ifstream in(file, std::ios::binary);
    const bool ok = runLoggedRead(log, kReadChecks, [&] {
        if (!in) {
            return false;
        }
        PenCsvImporter importer(model, log, side, fastLookup);
        return importer.read(in);
    });
    result.failed = !ok;
    return result;
}

} // namespace qdx
