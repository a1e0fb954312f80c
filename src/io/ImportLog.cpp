#include "io/ImportLog.h"

#include "io/TextCodec.h"
#include "platform/LocalTime.h"
#include "store/StoreError.h"

#include <chrono>
#include <ctime>
#include <system_error>

namespace qdx {

namespace {
constexpr std::string_view kUnexpectedText = "■予期せぬエラー";
} // namespace

ImportLog::~ImportLog() {
    close();
}

bool ImportLog::open(const std::filesystem::path& folder) {
    close();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    m_path = folder / kFileName;
    m_out.open(m_path, std::ios::binary | std::ios::app);
    return m_out.is_open();
}

void ImportLog::close() {
    if (m_out.is_open()) {
        m_out.close();
    }
}

std::string ImportLog::formatLine(std::string_view timeText, int level, std::string_view unit,
                                  int check, std::string_view message) {
    static constexpr char kLevels[] = {'W', 'I', 'D'};
    std::string line;
    line.reserve(timeText.size() + unit.size() + message.size() + 24);
    line += timeText;
    line += ",[";
    line += kLevels[level];
    line += "],[";
    line += unit;
    line += "],";
    line += std::to_string(check);
    line += ',';
    line += message;
    return line;
}

const std::string& ImportLog::timeStamp() {
    const std::time_t now = std::time(nullptr);
    // An import writes many lines a second; the text is formatted once per second.
    if (static_cast<long long>(now) != m_stampSecond) {
        m_stampText = platform::formatLocalTime(now, "%Y/%m/%d %H:%M:%S");
        m_stampSecond = static_cast<long long>(now);
    }
    return m_stampText;
}

void ImportLog::write(int level, std::string_view unit, int check, std::string_view message) {
    if (!m_out.is_open() || level < Warning || level > Detail) {
        return;
    }
    auto it = m_converted.find(std::string(message));
    if (it == m_converted.end()) {
        if (m_converted.size() >= 4096) {
            m_converted.clear();
        }
        it = m_converted.emplace(std::string(message), TextCodec::toCp932(message)).first;
    }
    // Time stamp, level, unit and number are ASCII, so only the message needs converting.
    const std::string bytes =
        formatLine(timeStamp(), level, TextCodec::toCp932(unit), check, it->second) + "\r\n";
    m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool runLoggingUnexpected(ImportLog& log, int unexpectedCheck, const std::function<bool()>& step) {
    try {
        return step();
    } catch (const std::exception& failure) {
        log.write(ImportLog::Warning, unexpectedCheck, kUnexpectedText);
        if (dynamic_cast<const StoreError*>(&failure) != nullptr) {
            throw;
        }
        return false;
    }
}

bool runLoggedRead(ImportLog& log, const ReadChecks& checks, const std::function<bool()>& read) {
    bool ok = false;
    try {
        ok = runLoggingUnexpected(log, checks.unexpected, read);
    } catch (const StoreError&) {
        log.write(ImportLog::Warning, checks.ng, "IMPORT_NG");
        throw;
    }
    if (ok) {
        log.write(ImportLog::Info, checks.ok, "IMPORT_OK");
    } else {
        log.write(ImportLog::Warning, checks.ng, "IMPORT_NG");
    }
    return ok;
}

} // namespace qdx
