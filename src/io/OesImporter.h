#pragma once

#include "io/ImportMessages.h"
#include "io/OesToothCodes.h"
#include "io/RecordKeyIndex.h"
#include "io/WorkingChart.h"

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace qdx {

class ImportLog;
class ProjectModel;

// Reads OES dental examination files into one side of the open project. Each person ("ON" ..
// "DT") becomes the record "<institution code>-<ID in the institution>"; a person whose ID
// exists overwrites that record. One importer reads all files of a folder: the current tooth
// carries over from file to file.
class OesImporter {
public:
    OesImporter(ProjectModel& model, ImportLog& log, int side, bool fastLookup = true);

    // Reads one file's text; true when it was read to its end without a failing check.
    // `registrationDate` is the date its records get. A store failure is passed on.
    bool readFile(std::istream& in, const std::string& registrationDate);

    // Today as "%Y-%m-%d" and as the integer YYYYMMDD the age is computed from.
    void setToday(const std::string& today);

private:
    enum class Outcome { Continue, Skip, Fail };
    using Fields = std::vector<std::string>;

    bool readRecords(std::istream& in);
    Outcome handle(const Fields& f, const std::string& line);
    Outcome version(const Fields& f);
    Outcome organisation(const Fields& f);
    Outcome person(const Fields& f);
    bool checkPersonRequired(const Fields& f, int sexField, int birthField);
    bool checkPersonValues(const Fields& f, int sexField, int birthField);
    Outcome tooth(const Fields& f, const std::string& line);
    Outcome profile(const Fields& f, const std::string& line);
    void applyProfileItems(const Fields& f, int p);
    void store();
    Outcome warn(int check, const std::string& message);
    void info(int check, const std::string& message);
    int ageGroup(const std::string& birthDate) const;

    ProjectModel& m_model;
    ImportLog& m_log;
    int m_side;
    RecordKeyIndex m_keys;
    WorkingChart m_chart;
    OesTooth m_currentTooth;
    std::string m_today;
    long long m_todayNumber = 0;
    // Per file.
    std::string m_date;
    std::string m_version;
    bool m_versionRead = false;
    std::string m_previousTb;
    std::string m_previousTf;
    bool m_discard = false;
    // Per person: an "ON" record passed, then a "PN" record passed.
    bool m_organisationRead = false;
    bool m_personRead = false;
};

// The OES folder import after the backup: opens the log in `logFolder`, reads every OES file
// of `folder` into the side and logs each file's outcome. A log that cannot be opened stops it
// before any file. A store failure ends its file as the unexpected error and is thrown on.
ImportResult importOesFolder(ProjectModel& model, int side, const std::filesystem::path& folder,
                             const std::filesystem::path& logFolder, bool fastLookup = true);

// The finding a profile item 1..26 marks on its tooth when it is set (any other: nothing).
Finding oesProfileFinding(int item);

} // namespace qdx
