#pragma once

#include "io/ImportMessages.h"
#include "io/RecordKeyIndex.h"
#include "io/WorkingChart.h"

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace qdx {

class ImportLog;
class ProjectModel;

// Reads a digital-pen CSV file (one form per line after a header) into one side of the open
// project. Each form becomes the record "<page address>-1"; a form whose ID exists overwrites
// that record. Every finding goes to the import log.
class PenCsvImporter {
public:
    PenCsvImporter(ProjectModel& model, ImportLog& log, int side, bool fastLookup = true);

    // Reads the whole text; true when every form was taken. Forms stored before a failed check
    // stay. Whatever is thrown while reading (a store failure) is passed on.
    bool read(std::istream& in);

    static constexpr std::string_view kHeaderText =
        "遺体番号,性別,検査日,最終更新日時,検死場所,口腔内写真枚数,エックス線写真枚数,";

private:
    bool takeForm(const std::vector<std::string>& fields);
    bool checkFields(const std::vector<std::string>& fields);
    void readChart(const std::vector<std::string>& fields, const std::string& page);
    bool readChartField(const std::string& field, int number, const std::string& page, int& code);
    void storeForm();
    void fail(int check, const std::string& message);

    ProjectModel& m_model;
    ImportLog& m_log;
    int m_side;
    RecordKeyIndex m_keys;
    WorkingChart m_chart;
};

// The digital-pen import after the backup: opens the log in `logFolder`, reads `file` into the
// side and logs IMPORT_OK or IMPORT_NG. A log that cannot be opened stops it before any form.
// A store failure is logged as the unexpected error with IMPORT_NG and thrown on.
ImportResult importPenCsv(ProjectModel& model, int side, const std::filesystem::path& file,
                          const std::filesystem::path& logFolder, bool fastLookup = true);

// The finding a code of the pen system marks (codes 1..19; any other marks nothing).
Finding penFinding(int code);
// Applies one finding code of the pen system to a position.
void applyPenFindingCode(WorkingChart& chart, int position, int code);

} // namespace qdx
