#include "support/PromptResponder.h"

#include <QPrinter>

namespace qdx::test {

ScriptedResponder::ScriptedResponder() {
    Prompts::setResponder(this);
}

ScriptedResponder::~ScriptedResponder() {
    Prompts::setResponder(nullptr);
}

MessageAnswer ScriptedResponder::answerMessage(const Prompts::Message& message) {
    messages.push_back(message);
    // A plain OK message needs no script.
    if (message.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (m_answers.empty()) {
        ++unexpected;
        return MessageAnswer::Cancel;
    }
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QString ScriptedResponder::answerFile(const Prompts::FileChoice& choice) {
    choices.push_back(choice);
    if (m_paths.empty()) {
        ++unexpected;
        return {};
    }
    const QString path = m_paths.front();
    m_paths.pop_front();
    return path;
}

bool ScriptedResponder::answerPrint(QPrinter& printer) {
    if (m_printFiles.empty()) {
        ++unexpected;
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_printFiles.front());
    m_printFiles.pop_front();
    return true;
}

std::optional<QString> ScriptedResponder::answerText(const Prompts::TextQuestion& question) {
    textQuestions.push_back(question);
    if (m_texts.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    const ScriptedText scripted = m_texts.front();
    m_texts.pop_front();
    if (scripted.cancel)
        return std::nullopt;
    return scripted.text;
}

QStringList ScriptedResponder::texts() const {
    QStringList list;
    for (const Prompts::Message& m : messages)
        list << m.text;
    return list;
}

bool ScriptedResponder::allAnswered() const {
    return m_answers.empty() && m_paths.empty() && m_printFiles.empty() && m_texts.empty() &&
           unexpected == 0;
}

} // namespace qdx::test
