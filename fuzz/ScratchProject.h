#pragma once

#include "io/ImportLog.h"
#include "store/ProjectModel.h"

#include <filesystem>
#include <string_view>

namespace qdx::fuzz {

// The folder of this fuzzing process's files: under /dev/shm when there is one (the project
// harnesses write a file per input), else under the temp folder.
const std::filesystem::path& scratchFolder();

// Writes the input's bytes as a file of the scratch folder and returns its path; a rollback
// journal left beside it is removed so that nothing of an earlier input leaks into this one.
std::filesystem::path writeScratchFile(std::string_view name, std::string_view bytes);

// One project file and import log in the scratch folder for the whole fuzzing run. Every input
// runs inside a savepoint that is rolled back afterwards, so each input meets the same project
// and the file does not grow; the log is emptied now and then so it does not fill the disk.
struct ScratchProject {
    ProjectModel model;
    ImportLog log;

    static ScratchProject& instance();
    // Marks the state the input's writes are undone to.
    void beforeInput();
    // Undoes the input's writes (reopening at the last save when a failure ended the
    // transaction).
    void afterInput();

private:
    ScratchProject();
    std::filesystem::path m_folder;
    long m_inputs = 0;
};

// Every chart stored on the side holds valid digits: classes 1..5 and flags 0 or 1; with
// `presentOnlyWithClass5` (what an import of a file writes) the present flag only with class 5.
void requireStoredCharts(const ProjectModel& model, int side, bool presentOnlyWithClass5);

} // namespace qdx::fuzz
