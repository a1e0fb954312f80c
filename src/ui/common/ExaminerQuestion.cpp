#include "ui/common/ExaminerQuestion.h"

#include "store/ProjectModel.h"
#include "ui/common/Prompts.h"

namespace qdx {

bool askExaminerName(QWidget* parent, ProjectModel& model) {
    Prompts::TextQuestion question;
    question.title = QStringLiteral("担当者");
    question.label = QStringLiteral("担当者名：");
    question.text = QString::fromStdString(model.examiner());
    const std::optional<QString> answer = Prompts::askText(parent, question);
    if (!answer)
        return false;
    model.setExaminer(answer->trimmed().toStdString());
    return true;
}

} // namespace qdx
