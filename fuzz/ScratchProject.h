#pragma once

#include "io/ImportLog.h"
#include "store/ProjectModel.h"

namespace qdx::fuzz {

// One project file and import log in the temp folder for the whole fuzzing run; the log is
// emptied now and then so it does not fill the disk.
struct ScratchProject {
    ProjectModel model;
    ImportLog log;

    static ScratchProject& instance();
    void beforeInput();

private:
    ScratchProject();
    std::filesystem::path m_folder;
    long m_inputs = 0;
};

} // namespace qdx::fuzz
