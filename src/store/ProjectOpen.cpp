#include "store/ProjectOpen.h"

#include "platform/FileSystem.h"
#include "store/ProjectModel.h"

#include <filesystem>
#include <system_error>

namespace qdx {

namespace {

std::size_t lastSeparator(const std::string& path) {
    return platform::lastPathSeparator(path);
}

// A file that does not exist, or exists empty, holds no project yet.
bool holdsNoProject(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return true;
    return std::filesystem::is_regular_file(path, error) &&
           std::filesystem::file_size(path, error) == 0 && !error;
}

void bringInNewSettings(ProjectModel& model) {
    model.resetSettings();
    model.saveSettings5(SettingsWrite::Insert);
    model.saveSettings6(SettingsWrite::Insert);
}

void bringInStoredSettings(ProjectModel& model) {
    const int loaded = model.loadSettings5();
    if (loaded == 1) {
        model.repairSettings5();
    } else if (loaded == 2) {
        // Row 2 carried the project name: both tables are written again with the marker. The
        // six-class table is read first so the rewrite keeps this file's own weights.
        model.loadSettings6();
        model.loadSettings5();
        model.saveSettings5(SettingsWrite::Update);
        model.saveSettings6(SettingsWrite::Update);
        model.save();
    }
    // TB_SETUP is read last, so the shared fields come from it.
    model.loadSettings6();
    model.loadSettings5();
}

} // namespace

ProjectLocation splitProjectPath(const std::string& path) {
    ProjectLocation location;
    std::string full = path;
    if (full.find(".qdx") == std::string::npos)
        full += ".qdx";
    const std::size_t separator = lastSeparator(full);
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    location.folder = separator == std::string::npos ? "" : full.substr(0, nameStart);
    const std::size_t dot = full.rfind('.');
    const std::size_t nameEnd = dot == std::string::npos || dot < nameStart ? full.size() : dot;
    location.fileName = full.substr(nameStart, nameEnd - nameStart);
    location.path = location.folder + location.fileName + ".qdx";
    return location;
}

ProjectOpenResult openProjectFile(ProjectModel& model, const ProjectLocation& location) {
    ProjectOpenResult result;
    result.created = holdsNoProject(location.path);
    model.open(location.folder, location.fileName);
    try {
        if (result.created)
            bringInNewSettings(model);
        else
            bringInStoredSettings(model);
    } catch (...) {
        model.abandon();
        throw;
    }
    return result;
}

} // namespace qdx
