#pragma once

#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"

#include <string>

namespace qdx::cli {

// The project a command works on, opened with the desktop program's open sequence (".qdx"
// appended when the path has none, tables created, settings loaded and repaired). Whatever
// the command did not save is rolled back when the session ends.
class ProjectSession {
public:
    enum class Mode { OpenExisting, CreateNew };

    // CreateNew refuses a path whose file exists. Throws CommandError or StoreError.
    explicit ProjectSession(const std::string& argument, Mode mode = Mode::OpenExisting);
    ~ProjectSession();
    ProjectSession(const ProjectSession&) = delete;
    ProjectSession& operator=(const ProjectSession&) = delete;

    ProjectModel& model() { return m_model; }
    const ProjectLocation& location() const { return m_location; }
    bool created() const { return m_created; }
    // Commits the project transaction and closes the file.
    void commitAndClose();

private:
    ProjectModel m_model;
    ProjectLocation m_location;
    bool m_created = false;
};

// The examiner's name of this run (--examiner or QDX_EXAMINER), written into the change
// history by every session's project model.
void setRunExaminer(std::string name);
const std::string& runExaminer();

// Reads one number from a counting statement (SELECT count(*) ...).
long long countRows(const ProjectModel& model, const std::string& statement);

} // namespace qdx::cli
