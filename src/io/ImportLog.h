#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qdx {

// The append-only import log "CsvFileCtrl.csv": one CP932 line per finding,
// "time,[level],[unit],check,message" with CR LF.
class ImportLog {
public:
    enum Level : int { Warning = 0, Info = 1, Detail = 2 };
    static constexpr std::string_view kFileName = "CsvFileCtrl.csv";
    static constexpr std::string_view kUnitName = "csvfilectrl";

    ImportLog() = default;
    ~ImportLog();
    ImportLog(const ImportLog&) = delete;
    ImportLog& operator=(const ImportLog&) = delete;

    // Opens folder/CsvFileCtrl.csv for appending, creating the folder and the file when
    // missing. False when it cannot be opened.
    bool open(const std::filesystem::path& folder);
    // Appends one line; a level other than 0, 1 or 2, or a closed log, writes nothing.
    void write(int level, std::string_view unit, int check, std::string_view message);
    // The importers' unit name with the check number and message.
    void write(int level, int check, std::string_view message) {
        write(level, kUnitName, check, message);
    }
    void close();

    bool isOpen() const { return m_out.is_open(); }
    const std::filesystem::path& path() const { return m_path; }

    // The line as written (UTF-8, without the line end), for the given time stamp text.
    static std::string formatLine(std::string_view timeText, int level, std::string_view unit,
                                  int check, std::string_view message);

private:
    const std::string& timeStamp();

    std::ofstream m_out;
    std::filesystem::path m_path;
    long long m_stampSecond = -1;
    std::string m_stampText;
    // CP932 form of recent messages: an import repeats a few texts hundreds of thousands of
    // times, and converting each line anew is most of the cost of writing it.
    std::unordered_map<std::string, std::string> m_converted;
};

// The check numbers of one importer's read (a pen file, an OES file): its unexpected error and
// its two outcome lines.
struct ReadChecks {
    int unexpected;
    int ok;
    int ng;
};

// Runs `step` and returns what it returns. Anything it throws is logged as the unexpected error;
// a store failure is then thrown on, any other ends the step as failed.
bool runLoggingUnexpected(ImportLog& log, int unexpectedCheck, const std::function<bool()>& step);

// Runs one read of an importer and logs its outcome, "IMPORT_OK" (level I) or "IMPORT_NG"
// (level W); true when it passed. A store failure is logged as the unexpected error and
// IMPORT_NG and thrown on: it may have taken the stored rows with it, and the import flow puts
// the project back from its backup.
bool runLoggedRead(ImportLog& log, const ReadChecks& checks, const std::function<bool()>& read);

} // namespace qdx
