#include "ScratchProject.h"

#include "platform/Terminal.h"
#include "store/ProjectOpen.h"

namespace qdx::fuzz {

ScratchProject::ScratchProject()
    : m_folder(std::filesystem::temp_directory_path() /
               ("qdx-fuzz-" + std::to_string(platform::processId()))) {
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
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
}

} // namespace qdx::fuzz
