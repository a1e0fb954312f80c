#pragma once

#include "ui/common/Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

namespace qdx::test {

// Answers the message boxes, file choosers and print dialogs of the program in place of a
// person, in order, and keeps what was shown. It installs itself for its lifetime.
//
//   ScriptedResponder prompts;
//   prompts.answer(MessageAnswer::Yes);        // the next question (plain OK boxes need none)
//   prompts.choose("/tmp/out.csv");            // the next file or folder chooser
//   prompts.printTo("/tmp/out.pdf");           // the next print dialog: print to this PDF
//   ... drive the window ...
//   QVERIFY2(prompts.allAnswered(), qPrintable(prompts.texts().join("|")));
//
// A request nobody scripted is answered with cancel and counted in `unexpected`.
class ScriptedResponder : public Prompts::Responder {
public:
    ScriptedResponder();
    ~ScriptedResponder() override;
    ScriptedResponder(const ScriptedResponder&) = delete;
    ScriptedResponder& operator=(const ScriptedResponder&) = delete;

    void answer(MessageAnswer answer) { m_answers.push_back(answer); }
    void choose(const QString& path) { m_paths.push_back(path); }
    void printTo(const QString& pdfPath) { m_printFiles.push_back(pdfPath); }
    // The next one-line text question (the examiner's name): the text entered, or cancel.
    void enterText(const QString& text) { m_texts.push_back({false, text}); }
    void cancelText() { m_texts.push_back({true, QString()}); }

    MessageAnswer answerMessage(const Prompts::Message& message) override;
    QString answerFile(const Prompts::FileChoice& choice) override;
    bool answerPrint(QPrinter& printer) override;
    std::optional<QString> answerText(const Prompts::TextQuestion& question) override;

    // The texts of every message shown so far.
    QStringList texts() const;
    bool allAnswered() const;

    QList<Prompts::Message> messages;
    QList<Prompts::FileChoice> choices;
    QList<Prompts::TextQuestion> textQuestions;
    int unexpected = 0;

private:
    std::deque<MessageAnswer> m_answers;
    std::deque<QString> m_paths;
    std::deque<QString> m_printFiles;
    struct ScriptedText {
        bool cancel = false;
        QString text;
    };
    std::deque<ScriptedText> m_texts;
};

} // namespace qdx::test
