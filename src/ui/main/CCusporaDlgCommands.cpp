// The main window's commands: the searches here; those on records are RecordCommands', the
// imports ImportCommands', the project's ProjectCommands'.
#include "ui/main/CCusporaDlg.h"

#include "ui/common/ExaminerQuestion.h"
#include "ui/common/Prompts.h"
#include "ui/main/ProjectCommands.h"

namespace qdx {

bool CCusporaDlg::openWindow(WindowKind kind, const WindowRequest& request) {
    const auto found = m_openers.find(kind);
    if (found == m_openers.end()) {
        return false;
    }
    if (kind == WindowKind::Entry || kind == WindowKind::History || kind == WindowKind::Settings) {
        askExaminerOnce();
    }
    return found->second(*this, request);
}

void CCusporaDlg::askExaminerOnce() {
    if (!m_asksExaminer || m_examinerAsked) {
        return;
    }
    askExaminer();
}

void CCusporaDlg::askExaminer() {
    // A cancelled question is not asked again: the run goes on under the login name.
    m_examinerAsked = true;
    askExaminerName(this, m_model);
}

void CCusporaDlg::notAvailable(const QString& what) {
    Prompts::message(this, tr("%1はこの版では利用できません。").arg(what), MessageButtons::Ok,
                     MessageIcon::Information);
}

void CCusporaDlg::openSearch(WindowKind kind) {
    if (!hasWindow(kind)) {
        const QString names[] = {tr("全検索"), tr("個別検索"), tr("ブリッジ検索")};
        const int index = kind == WindowKind::FullSearch         ? 0
                          : kind == WindowKind::IndividualSearch ? 1
                                                                 : 2;
        notAvailable(names[index]);
        return;
    }
    openWindow(kind, {});
}

void CCusporaDlg::saveProject() {
    m_project->saveProject();
}

void CCusporaDlg::switchProject() {
    m_project->switchProject();
}

void CCusporaDlg::confirmExit() {
    m_project->confirmExit();
}

} // namespace qdx
