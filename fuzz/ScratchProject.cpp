#include "ScratchProject.h"

#include "FuzzCheck.h"
#include "platform/Terminal.h"
#include "store/ProjectOpen.h"
#include "store/RecordTable.h"

#include <sqlite3.h>

#include <fstream>

namespace qdx::fuzz {

namespace {

bool execute(const ProjectModel& model, const char* statement) {
    return model.isOpen() && sqlite3_exec(model.database().connection(), statement, nullptr,
                                          nullptr, nullptr) == SQLITE_OK;
}

// Ends an exec at its first row, so that SQLITE_ABORT says a row was there.
int stopAtFirstRow(void*, int, char**, char**) {
    return 1;
}

bool isFlag(char c) {
    return c == '0' || c == '1';
}

} // namespace

namespace {

// The folder, made empty when first used and removed when the process ends normally.
struct ScratchFolder {
    std::filesystem::path path;

    ScratchFolder() {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        path = base / ("qdx-fuzz-" + std::to_string(platform::processId()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

const std::filesystem::path& scratchFolder() {
    // Made before any project in it, so it is removed after they are closed.
    static const ScratchFolder folder;
    return folder.path;
}

std::filesystem::path writeScratchFile(std::string_view name, std::string_view bytes) {
    const std::filesystem::path path = scratchFolder() / name;
    std::error_code ignored;
    std::filesystem::remove(path.string() + "-journal", ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

ScratchProject::ScratchProject() : m_folder(scratchFolder()) {
    openProjectFile(model, splitProjectPath((m_folder / "scratch.qdx").string()));
    log.open(m_folder);
}

ScratchProject& ScratchProject::instance() {
    static ScratchProject project;
    return project;
}

void ScratchProject::beforeInput() {
    if (++m_inputs % 2000 == 0) {
        log.close();
        std::filesystem::remove(log.path());
        log.open(m_folder);
    }
    require(execute(model, "SAVEPOINT fuzz_input"), "the scratch project takes a savepoint");
}

void ScratchProject::afterInput() {
    if (model.database().holdsTransaction() && execute(model, "ROLLBACK TO fuzz_input") &&
        execute(model, "RELEASE fuzz_input"))
        return;
    model.reopenAtLastSave();
}

void requireStoredCharts(const ProjectModel& model, int side, bool presentOnlyWithClass5) {
    // Most inputs store nothing; the plain table read is prepared only when something is there
    // (the list's join and order would cost more than the import itself).
    const std::string probe = std::string("SELECT 1 FROM ") + records::tableName(side) + " LIMIT 1";
    const int found = sqlite3_exec(model.database().connection(), probe.c_str(), stopAtFirstRow,
                                   nullptr, nullptr);
    require(found == SQLITE_OK || found == SQLITE_ABORT, "the stored records can be read");
    if (found == SQLITE_OK)
        return;
    for (const DentalRecord& record : records::selectRecords(model.database(), side)) {
        require(record.classChart.size() == kToothCount, "32 class characters");
        for (int p = 0; p < kToothCount; ++p) {
            const auto at = static_cast<std::size_t>(p);
            const char cls = record.classChart[at];
            require(cls >= '1' && cls <= '5', "a stored class is 1..5");
            require(isFlag(record.bridgeChart[at]) && isFlag(record.presentChart[at]) &&
                        isFlag(record.deciduousChart[at]),
                    "stored flags are 0 or 1");
            require(!presentOnlyWithClass5 || record.presentChart[at] == '0' || cls == '5',
                    "the present flag goes with class 5 only");
        }
    }
}

} // namespace qdx::fuzz
