#include "io/PenCsvImporter.h"

#include "io/CsvRecordReader.h"
#include "io/FieldRules.h"
#include "io/ImportLog.h"
#include "io/TextCodec.h"
#include "store/ProjectModel.h"
#include "store/StoreError.h"

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

} // namespace

void applyPenFindingCode(WorkingChart& chart, int p, int code) {
    switch (code) {
    case 1:
    case 2:
    case 4:
        chart.raise(p, {5}, 1);
        break;
    case 3:
    case 13:
    case 15:
        if (chart.classes[p] == 5) {
            chart.present[p] = 1;
        }
        break;
    case 5:
    case 6:
    case 7:
        chart.raise(p, {5, 1}, 2);
        break;
    case 8:
    case 9:
    case 10:
    case 18:
        chart.raise(p, {5, 1, 2}, 3);
        break;
    case 11:
        chart.bridges[p] = 1;
        if (chart.classes[p] == 5) {
            chart.present[p] = 1;
        }
        break;
    case 12:
    case 14:
    case 16:
    case 17:
        chart.classes[p] = 4;
        break;
    default:
        break;
    }
}

PenCsvImporter::PenCsvImporter(ProjectModel& model, ImportLog& log, int side, bool fastLookup)
    : m_model(model), m_log(log), m_side(side), m_keys(model, side, fastLookup) {}

void PenCsvImporter::fail(int check, const std::string& message) {
    m_log.write(ImportLog::Warning, check, message);
}

bool PenCsvImporter::read(std::istream& in) {
    try {
        return readRecords(in);
    } catch (const std::exception&) {
        // A database failure (or any other) while storing ends the import.
        fail(624, "■予期せぬエラー");
        return false;
    }
}

bool PenCsvImporter::readRecords(std::istream& in) {
    CsvRecordReader reader(in);
    // An empty file has no header either: it is not a pen file.
    const bool hasHeader = reader.next();
    if (!hasHeader && !reader.unclosedAtEnd()) {
        fail(529, "■入力ファイルチェック [出力情報凡例NG:]");
        return false;
    }
    if (hasHeader) {
        if (reader.record().find(TextCodec::toCp932(kHeaderText)) == std::string::npos) {
            fail(529, "■入力ファイルチェック [出力情報凡例NG:" + utf8(reader.record()) + "]");
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
        fail(631, "■ダブルコーテーションの使い方NG");
        return false;
    }
    return true;
}

bool PenCsvImporter::checkFields(const std::vector<std::string>& f) {
    if (f.size() < kFieldCount) {
        fail(1279, "■データ取込 データ数チェック[NG:" + std::to_string(f.size()) + "]");
        return false;
    }
    if (f[kPageField].empty()) {
        fail(1287, "■データ取込　ページアドレスチェック [必須項目：未設定]");
        return false;
    }
    // The upper ID part can never hold "-": the ID would split at the wrong place when stored.
    if (f[kPageField].find('-') != std::string::npos) {
        fail(1288,
             "■データ取込　ページアドレスチェック [ハイフン（-）NG:" + utf8(f[kPageField]) + "]");
        return false;
    }
    const std::string& sex = f[kSexField];
    if (sex.size() != 1) {
        fail(1300, "■データ取込　性別チェック [入力桁チェック（1桁）NG:" + utf8(sex) + "]");
        return false;
    }
    if (sex[0] < '0' || sex[0] > '3') {
        fail(1307, "■データ取込　性別チェック [値範囲チェック（0or1or2or3）NG:" + utf8(sex) + "]");
        return false;
    }
    const std::string& date = f[kDateField];
    if (date.size() != 19) {
        fail(1315,
             "■データ取込　最終更新日付チェック [入力桁チェック（19桁）NG:" + utf8(date) + "]");
        return false;
    }
    // Month and day must be digits: the first ten characters become the registration date.
    const std::string month = date.substr(5, 2);
    const std::string day = date.substr(8, 2);
    const int m = fieldrules::isDigits(month) ? fieldrules::integerValue(month) : 0;
    if (m < 1 || m > 12) {
        fail(1324, "■データ取込　最終更新日付チェック [論理チェック（月）NG:" + utf8(date) + "]");
        return false;
    }
    if (!fieldrules::isDigits(day) || !fieldrules::validDay(m, fieldrules::integerValue(day))) {
        fail(1329, "■データ取込　最終更新日付チェック [論理チェック（日）NG:" + utf8(date) + "]");
        return false;
    }
    return true;
}

bool PenCsvImporter::readChartField(const std::string& field, int number, const std::string& page,
                                    int& code) {
    if (field.empty()) {
        m_log.write(ImportLog::Info, 1377,
                    "■データ取込　チャートデータ省略：" + std::to_string(number) + " " + page);
        return false;
    }
    if (field.size() >= 3) {
        fail(1383, "■データ取込　チャートデータ桁数異常：" + utf8(field) + " " + page);
        return false;
    }
    code = fieldrules::integerValue(field);
    if (code < 1 || code >= 20) {
        fail(1390, "■データ取込　チャートデータ値異常：" + utf8(field) + " " + page);
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
        applyPenFindingCode(m_chart, p, code);
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
    result.logOpened = log.open(logFolder);
    result.logPath = log.path().string();
    if (!result.logOpened) {
        result.failed = true;
        return result;
    }
    std::ifstream in(file, std::ios::binary);
    bool ok = false;
    if (in) {
        try {
            PenCsvImporter importer(model, log, side, fastLookup);
            ok = importer.read(in);
        } catch (const std::exception&) {
            log.write(ImportLog::Warning, 624, "■予期せぬエラー");
        }
    }
    log.write(ok ? ImportLog::Info : ImportLog::Warning, ok ? 133 : 130,
              ok ? "IMPORT_OK" : "IMPORT_NG");
    result.failed = !ok;
    return result;
}

} // namespace qdx
