#pragma once

class QWidget;

namespace qdx {

class ProjectModel;

// Asks for the examiner's name of this run ("担当者"), showing the current one; the project
// model keeps the answer for the run and writes it into the change history (an empty name is
// allowed: the rows then name the login). False when cancelled; the name stays as it was.
bool askExaminerName(QWidget* parent, ProjectModel& model);

} // namespace qdx
