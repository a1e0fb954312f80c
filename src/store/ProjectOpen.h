#pragma once

#include <string>
#include <string_view>

namespace qdx {

class ProjectModel;

// Where a chosen project path puts the project.
struct ProjectLocation {
    std::string folder;   // without a trailing separator; empty for a bare name
    std::string fileName; // base name without ".qdx"; empty when the path names no file
    std::string path;     // the path as opened, ".qdx" appended when it had none
};

inline constexpr std::string_view kEmptyProjectNameMessage = "プロジェクト名は省略できません。";

// Appends ".qdx" when the path has none anywhere and splits it into folder and base name (the
// text between the last separator and the last ".").
ProjectLocation splitProjectPath(const std::string& path);

struct ProjectOpenResult {
    bool created = false; // the file did not exist and was created with default settings
};

// Opens (or creates) the project at `location` in the model and brings its settings in: a new
// file gets the default settings committed at once; an existing one has its settings loaded,
// missing or old-style rows rewritten and committed. Both shells call this after they have
// left the previous project. A failure comes back as StoreError with no project open.
ProjectOpenResult openProjectFile(ProjectModel& model, const ProjectLocation& location);

} // namespace qdx
