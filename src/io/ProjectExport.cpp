#include "io/ProjectExport.h"

#include "io/CsvQuote.h"
#include "io/TextCodec.h"
#include "model/Labels.h"
#include "platform/LocalTime.h"
#include "store/ProjectModel.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace qdx {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void writeLine(std::FILE* file, const std::string& utf8) {
    const std::string bytes = TextCodec::toCp932(utf8) + "\r\n";
    std::fwrite(bytes.data(), 1, bytes.size(), file);
}

void writeHead(std::FILE* file, std::string_view title, const std::string& version) {
    writeLine(file, std::string(title));
    writeLine(file, version);
    for (int i = 0; i < 3; ++i) {
        writeLine(file, "");
    }
}

bool isIdentified(const DentalRecord& record) {
    return !record.MATCH.empty() && record.MATCH_KIND.isIdentified();
}

// The state label of an identified record; every other record is "判明していない".
std::string identificationLabel(const DentalRecord& record) {
    return std::string(isIdentified(record) ? record.MATCH_KIND.stateLabel()
                                            : MatchKind().stateLabel());
}

// Line breaks inside the summary are written as CR LF whatever the record holds.
std::string exportSummary(const std::string& summary) {
    std::string out;
    out.reserve(summary.size() + 8);
    for (std::size_t i = 0; i < summary.size(); ++i) {
        if (summary[i] == '\r' && i + 1 < summary.size() && summary[i + 1] == '\n') {
            continue;
        }
        if (summary[i] == '\n') {
            out += "\r\n";
        } else {
            out.push_back(summary[i]);
        }
    }
    return out;
}

void appendChart(std::string& line, const std::string& chart) {
    for (int p = 0; p < kToothCount; ++p) {
        line.push_back(',');
        if (p < static_cast<int>(chart.size())) {
            line.push_back(chart[static_cast<std::size_t>(p)]);
        }
    }
}

std::string sexText(const std::string& code) {
    return code == "1" || code == "2" ? std::string(sexLabel(code)) : std::string();
}

std::string ageGroupText(const std::string& code) {
    for (int c = 1; c <= 11; ++c) {
        if (code == std::to_string(c)) {
            return std::string(ageGroupLabel(code));
        }
    }
    return {};
}

// The record on the other side that the record's summary row names.
std::optional<DentalRecord> findPartner(const ProjectModel& model, int side,
                                        const DentalRecord& record) {
    if (!isIdentified(record) || record.Match_ID.empty()) {
        return std::nullopt;
    }
    const MatchRow row = model.getMatch(record.MATCH);
    const std::string& key = side == PostMortem ? row.ID_BEFOR : row.ID_AFTER;
    return model.getRecord(1 - side, std::atoll(key.c_str()));
}

void writeRecordFile(std::FILE* file, const ProjectModel& model, int side,
                     const std::string& version) {
    writeHead(file, side == PostMortem ? kPmExportTitle : kAmExportTitle, version);
    for (const DentalRecord& record : model.loadRecordList(side)) {
        const std::optional<DentalRecord> partner = findPartner(model, side, record);
        writeLine(file, exportRecordLine(record, partner ? &*partner : nullptr));
    }
}

void writeMatchFile(std::FILE* file, const ProjectModel& model, const std::string& version) {
    writeHead(file, kMatchExportTitle, version);
    for (const MatchRow& row : model.getResolvedMatches()) {
        writeLine(file, CsvQuote(row.ID) + "," + CsvQuote(row.ID_AFTER) + "," +
                            CsvQuote(row.ID_BEFOR) + "," + CsvQuote(row.KIND.storedText()));
    }
}

std::string openFailure(int error) {
    return std::string(kFileOpenFailedMessage) + "\n" + std::strerror(error);
}

} // namespace

std::string exportVersionText(std::time_t when) {
    return platform::formatLocalTime(when, "%Y-%m-%d %H:%M:%S") + "," +
           std::string(kProductVersion);
}

std::string exportRecordLine(const DentalRecord& record, const DentalRecord* partner) {
    const bool identified = isIdentified(record);
    std::string line = CsvQuote(record.displayId);
    appendChart(line, record.classChart);
    std::string date = record.UpdateTime;
    for (char& c : date) {
        c = c == '-' ? '/' : c;
    }
    line += "," + CsvQuote(date);
    line += "," + CsvQuote(record.place);
    line += "," + CsvQuote(exportSummary(record.summary));
    line += identified ? ",照合済" : ",";
    line += "," + sexText(record.sex);
    line += "," + CsvQuote(record.Dental_ID);
    line += "," + CsvQuote(record.name);
    line += "," + ageGroupText(record.agegroup);
    appendChart(line, record.bridgeChart);
    line += "," + identificationLabel(record);
    if (identified && !record.Match_ID.empty()) {
        line += "," + CsvQuote(record.Match_ID);
    } else {
        const std::string& pending = record.MATCH_I_MATCHID;
        line += "," + CsvQuote(pending.empty() ? pending : pending.substr(1));
    }
    appendChart(line, partner ? partner->classChart : std::string());
    appendChart(line, partner ? partner->bridgeChart : std::string());
    return line;
}

std::optional<std::string> ExportProject(ProjectModel& model, const std::string& pmPath,
                                         const std::string& amPath, const std::string& matchPath,
                                         std::time_t when) {
    const std::string version = exportVersionText(when);
    File files[3];
    const std::string* paths[3] = {&pmPath, &amPath, &matchPath};
    // All three are opened without truncating first, so a file that cannot be written (held by
    // another program, in a missing folder) stops the export before any file loses its content.
    bool existed[3] = {};
    for (int i = 0; i < 3; ++i) {
        std::error_code ignored;
        existed[i] = std::filesystem::exists(*paths[i], ignored);
        files[i].reset(std::fopen(paths[i]->c_str(), "ab"));
        if (!files[i]) {
            const int error = errno;
            for (int k = 0; k < i; ++k) {
                files[k].reset();
                if (!existed[k]) {
                    std::filesystem::remove(*paths[k], ignored);
                }
            }
            return openFailure(error);
        }
    }
    for (const std::string* path : paths) {
        std::error_code error;
        std::filesystem::resize_file(*path, 0, error);
        if (error) {
            return std::string(kFileOpenFailedMessage) + "\n" + error.message();
        }
    }
    writeRecordFile(files[0].get(), model, PostMortem, version);
    writeRecordFile(files[1].get(), model, AnteMortem, version);
    writeMatchFile(files[2].get(), model, version);
    // A write that failed on the way (a full disk) leaves the stream's error flag set even
    // when the last buffer could still be written.
    int writeError = 0;
    for (File& file : files) {
        errno = 0;
        const bool failedBefore = std::ferror(file.get()) != 0;
        if (std::fclose(file.release()) != 0 || failedBefore) {
            writeError = writeError != 0 ? writeError : (errno != 0 ? errno : EIO);
        }
    }
    if (writeError != 0) {
        return openFailure(writeError);
    }
    return std::nullopt;
}

} // namespace qdx
