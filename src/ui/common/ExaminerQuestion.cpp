#include "ui/common/ExaminerQuestion.h"

#include "store/ProjectModel.h"
#include "ui/common/Prompts.h"

#include <QCoreApplication>

namespace qdx {

bool askExaminerName(QWidget* parent, ProjectModel& model) {
    Prompts::TextQuestion question;
    question.title = QCoreApplication::translate("ExaminerQuestion", "担当者");
    question.label = QCoreApplication::translate("ExaminerQuestion", "担当者名：");
    question.text = QString::fromStdString(model.examiner());
    const std::optional<QString> answer = Prompts::askText(parent, question);
    if (!answer)
        return false;
    model.setExaminer(answer->trimmed().toStdString());
    return true;
}

} // namespace qdx
