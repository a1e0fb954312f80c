#include "views/history/PairComparison.h"

#include "model/Labels.h"
#include "store/ProjectModel.h"

#include <cstdlib>

namespace qdx {

namespace {

char chartChar(const std::string& chart, int position) {
    const auto i = static_cast<std::size_t>(position);
    return i < chart.size() ? chart[i] : ' ';
}

void addInOrder(std::vector<ComparisonRow>& rows, ComparisonRow row) {
    // Post-mortem in front, ante-mortem behind, whichever was read first.
    if (row.side == PostMortem)
        rows.insert(rows.begin(), std::move(row));
    else
        rows.push_back(std::move(row));
}

} // namespace

std::string comparisonToothCell(const DentalRecord& record, int position) {
    std::string cell(1, chartChar(record.classChart, position));
    cell += chartChar(record.bridgeChart, position) == '1' ? 'b' : ' ';
    return cell;
}

ComparisonRow comparisonRow(const DentalRecord& record, int side, Language language) {
    ComparisonRow row;
    row.side = side;
    row.cells.reserve(kComparisonColumns);
    row.cells.push_back("");
    row.cells.push_back(record.displayId);
    row.cells.emplace_back(sexLabel(record.sex, language));
    row.cells.emplace_back(ageGroupLabel(record.agegroup, language));
    for (int p = 0; p < kToothCount; ++p)
        row.cells.push_back(comparisonToothCell(record, p));
    return row;
}

long long comparisonPartnerKey(const ProjectModel& model, const DentalRecord& record, int side) {
    if (record.MATCH.empty())
        return 0;
    const MatchRow match = model.getMatch(record.MATCH);
    const long long partnerKey = std::atoll(match.partnerColumn(side).c_str());
    // A row identified without a named partner carries 0 there: the record stands alone.
    return match.ID.empty() || partnerKey <= 0 ? 0 : partnerKey;
}

std::vector<ComparisonRow> pairComparisonRows(const ProjectModel& model, int side,
                                              long long dentalId, Language language) {
    std::vector<ComparisonRow> rows;
    const DentalRecord record = model.getRecordWithMatch(side, dentalId);
    if (record.Dental_ID.empty())
        return rows;
    addInOrder(rows, comparisonRow(record, side, language));
    const int otherSide = 1 - side;
    const long long partnerKey = comparisonPartnerKey(model, record, side);
    if (partnerKey <= 0)
        return rows;
    const DentalRecord partner = model.getRecord(otherSide, partnerKey);
    if (!partner.Dental_ID.empty())
        addInOrder(rows, comparisonRow(partner, otherSide, language));
    return rows;
}

std::string comparisonHeaderText(int column, const Wording& wording) {
    switch (column) {
    case 0:
        return "";
    case 1:
        return "ID";
    case 2:
        return worded(wording, "性別");
    case 3:
        return worded(wording, "年令");
    default:
        break;
    }
    const int position = column - 4;
    return position >= 0 && position < kToothCount ? toothHeading(position, wording)
                                                   : std::string();
}

int comparisonInitialWidth(int column) {
    switch (column) {
    case 0:
        return 1;
    case 1:
        return 100;
    case 2:
        return 40;
    case 3:
        return 80;
    default:
        return 50;
    }
}

} // namespace qdx
