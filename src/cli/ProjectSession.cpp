#include "cli/ProjectSession.h"

#include "cli/CommandGroup.h"
#include "store/TableStatement.h"

#include <cstdlib>
#include <filesystem>

namespace qdx::cli {

namespace {
std::string g_runExaminer;
}

void setRunExaminer(std::string name) {
    g_runExaminer = std::move(name);
}

const std::string& runExaminer() {
    return g_runExaminer;
}

ProjectSession::ProjectSession(const std::string& argument, Mode mode)
    : m_location(splitProjectPath(argument)) {
    if (m_location.fileName.empty())
        throw CommandError(std::string(kEmptyProjectNameMessage));
    std::error_code error;
    const bool exists = std::filesystem::exists(m_location.path, error);
    if (mode == Mode::CreateNew && exists)
        throw CommandError("the project file already exists: " + m_location.path);
    if (mode == Mode::OpenExisting && !exists)
        throw CommandError("no project file: " + m_location.path);
    m_model.setExaminer(runExaminer());
    m_created = openProjectFile(m_model, m_location).created;
}

ProjectSession::~ProjectSession() {
    if (!m_model.isOpen())
        return;
    try {
        m_model.close(false);
    } catch (...) {
        // A failed rollback leaves the file as last committed; there is nothing more to do.
    }
}

void ProjectSession::commitAndClose() {
    m_model.close(true);
}

long long countRows(const ProjectModel& model, const std::string& statement) {
    TableStatement st(model.database());
    st.sql = statement;
    st.prepare();
    st.step();
    return std::atoll(st.columnText(0).c_str());
}

} // namespace qdx::cli
