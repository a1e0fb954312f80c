#include "views/log/ChangeLogRows.h"

#include "io/CsvQuote.h"
#include "io/SearchResultFile.h"
#include "model/Labels.h"
#include "store/ProjectModel.h"
#include "views/log/ChartCheck.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace qdx {

namespace {

const std::pair<const char*, const char*> kKindLabels[] = {
    {journal::kAdded, "登録"},
    {journal::kModified, "修正"},
    {journal::kDeleted, "削除"},
    {journal::kMatches, "照合履歴"},
    {journal::kChecked, "歯式確認"},
    {journal::kSettings, "環境設定"},
    {journal::kPenImport, "デジタルペン取込"},
    {journal::kOesImport, "OES取込"},
    {journal::kMerge, "マージ"},
    {journal::kDataMatching, "データマッチング"},
    {journal::kDemo, "デモ作成"},
    {journal::kReport, "報告書"},
};

long long rowNumber(const ChangeLogRow& row) {
    return std::atoll(row.row.ID.c_str());
}

// True when `a` goes before `b` in the order sortChangeLog makes: by the column's text, then by
// the time, then in the order written.
bool goesBefore(const ChangeLogRow& a, const std::string& textA, const ChangeLogRow& b,
                const std::string& textB, LogColumn column, bool ascending) {
    if (textA != textB)
        return ascending ? textA < textB : textB < textA;
    const std::string& timeA = a.row.TIME;
    const std::string& timeB = b.row.TIME;
    if (column != LogColumn::Time && timeA != timeB)
        return ascending ? timeA < timeB : timeB < timeA;
    const long long numberA = rowNumber(a);
    const long long numberB = rowNumber(b);
    return ascending ? numberA < numberB : numberB < numberA;
}

bool isSortedBy(const std::vector<ChangeLogRow>& rows, LogColumn column, bool ascending,
                const Wording& wording) {
    std::string previous;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::string text = logCell(rows[i], column, wording);
        if (i > 0 && !goesBefore(rows[i - 1], previous, rows[i], text, column, ascending))
            return false;
        previous = std::move(text);
    }
    return true;
}

} // namespace

std::string_view logColumnHeading(LogColumn column) {
    static const std::string_view headings[kLogColumnCount] = {
        "日時", "担当者", "ログイン名", "種類", "区分", "ID", "確認", "由来", "変更内容"};
    return headings[static_cast<int>(column)];
}

const std::vector<std::string>& journalKinds() {
    static const std::vector<std::string> kinds = [] {
        std::vector<std::string> list;
        for (const auto& [kind, label] : kKindLabels)
            list.emplace_back(kind);
        return list;
    }();
    return kinds;
}

std::string kindLabel(const std::string& kind) {
    for (const auto& [stored, label] : kKindLabels) {
        if (kind == stored)
            return label;
    }
    return kind;
}

std::string sideText(const JournalRow& row) {
    if (row.SIDE != "0" && row.SIDE != "1")
        return {};
    return std::string(sideLabel(row.SIDE == "1" ? AnteMortem : PostMortem));
}

std::string changeText(const JournalRow& row) {
    if (row.TEETH.empty())
        return row.DETAIL;
    if (row.DETAIL.empty())
        return row.TEETH;
    return row.TEETH + " / " + row.DETAIL;
}

std::string logFilterText(const LogFilter& filter, const std::string& idText,
                          const Wording& wording) {
    std::vector<std::string> parts;
    if (filter.side)
        parts.push_back(worded(wording, sideLabel(*filter.side)) + " " + idText);
    if (!filter.examiner.empty())
        parts.push_back(worded(wording, "担当者") + " " + filter.examiner);
    if (!filter.kind.empty())
        parts.push_back(worded(wording, kindLabel(filter.kind)));
    if (filter.uncheckedOnly)
        parts.push_back(worded(wording, "未確認のみ"));
    if (parts.empty())
        return worded(wording, "すべて");
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : " / ") + part;
    return text;
}

std::vector<ChangeLogRow> loadChangeLog(const ProjectModel& model, const LogFilter& filter) {
    journal::JournalQuery query;
    query.side = filter.side;
    query.dentalId = filter.dentalId;
    query.examiner = filter.examiner;
    query.kind = filter.kind;
    // The check column needs every chart row of the listed records: the listed rows are all of
    // them unless an examiner or a kind is chosen.
    const bool everyRowOfTheRecords = filter.examiner.empty() && filter.kind.empty();
    CheckColumns checks;
    std::vector<ChangeLogRow> listed;
    journal::readJournal(model.database(), query, [&](JournalRow& row) {
        if (everyRowOfTheRecords)
            checks.add(row);
        listed.push_back({std::move(row), {}});
    });
    if (!everyRowOfTheRecords) {
        journal::JournalQuery charts;
        charts.side = filter.side;
        charts.dentalId = filter.dentalId;
        charts.chartAndChecks = true;
        journal::readJournal(model.database(), charts,
                             [&checks](JournalRow& row) { checks.add(row); });
    }
    for (ChangeLogRow& shown : listed)
        shown.check = checks.text(shown.row);
    if (filter.uncheckedOnly)
        std::erase_if(listed, [](const ChangeLogRow& shown) { return shown.check != "未確認"; });
    // Newest first: the rows were read in the order they were written.
    std::reverse(listed.begin(), listed.end());
    sortChangeLog(listed, LogColumn::Time, false);
    return listed;
}

std::string logCell(const ChangeLogRow& shown, LogColumn column, const Wording& wording) {
    const JournalRow& row = shown.row;
    switch (column) {
    case LogColumn::Time:
        return row.TIME;
    case LogColumn::Examiner:
        return row.EXAMINER;
    case LogColumn::Login:
        return row.LOGIN;
    case LogColumn::Kind:
        return worded(wording, kindLabel(row.KIND));
    case LogColumn::Side:
        return worded(wording, sideText(row));
    case LogColumn::Id:
        return row.EXT_ID;
    case LogColumn::Change:
        return changeText(row);
    case LogColumn::Check:
        return worded(wording, shown.check);
    case LogColumn::Origin:
        return row.ORIGIN;
    }
    return {};
}

void sortChangeLog(std::vector<ChangeLogRow>& rows, LogColumn column, bool ascending,
                   const Wording& wording) {
    // The order a list is read in or last sorted by mostly holds already: then it stays.
    if (isSortedBy(rows, column, ascending, wording))
        return;
    // Each cell's text once, not once per comparison: the history of a large project is long.
    struct Key {
        std::string text;
        long long number;
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        keys.push_back({logCell(rows[i], column, wording), rowNumber(rows[i]), i});
    std::sort(keys.begin(), keys.end(), [&rows, column, ascending](const Key& a, const Key& b) {
        if (a.text != b.text)
            return ascending ? a.text < b.text : b.text < a.text;
        const std::string& timeA = rows[a.index].row.TIME;
        const std::string& timeB = rows[b.index].row.TIME;
        if (column != LogColumn::Time && timeA != timeB)
            return ascending ? timeA < timeB : timeB < timeA;
        return ascending ? a.number < b.number : b.number < a.number;
    });
    std::vector<ChangeLogRow> sorted;
    sorted.reserve(rows.size());
    for (const Key& key : keys)
        sorted.push_back(std::move(rows[key.index]));
    rows = std::move(sorted);
}

std::vector<std::string> changeLogCsvLines(const std::vector<ChangeLogRow>& rows) {
    std::vector<std::string> lines;
    lines.reserve(rows.size() + 1);
    std::string heading;
    for (int c = 0; c < kLogColumnCount; ++c) {
        if (c > 0)
            heading += ',';
        heading += logColumnHeading(static_cast<LogColumn>(c));
    }
    lines.push_back(heading);
    for (const ChangeLogRow& row : rows) {
        std::string line;
        for (int c = 0; c < kLogColumnCount; ++c) {
            if (c > 0)
                line += ',';
            line += CsvQuote(logCell(row, static_cast<LogColumn>(c)));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void writeChangeLogCsv(const std::string& path, const std::vector<ChangeLogRow>& rows) {
    SearchResultFile file(path);
    for (const std::string& line : changeLogCsvLines(rows))
        file.writeLine(line);
    file.close();
}

} // namespace qdx
