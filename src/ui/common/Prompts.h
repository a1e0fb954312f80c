#pragma once

#include "ui/common/MessageKinds.h"

#include <QString>

#include <optional>

class QPrinter;
class QWidget;

namespace qdx {

// What the program asks a person: message boxes, file and folder choosers and the print
// dialog all go through here. The running program shows the real dialogs; a test installs a
// Responder that answers the next requests without a screen.
class Prompts {
public:
    struct Message {
        QString text;
        MessageButtons buttons = MessageButtons::Ok;
        MessageIcon icon = MessageIcon::None;
    };
    struct FileChoice {
        enum Kind { Open, OpenExisting, Save, Folder };
        Kind kind = Open;
        QString title; // the prompt text for a folder
        QString filter; // Qt's form: "CSV(カンマ区切り) (*.csv);;すべてのファイル (*.*)"
        QString defaultSuffix;
        QString initialPath; // folder or proposed file; empty: where the chooser was last used
    };

    struct TextQuestion {
        QString title;
        QString label;
        QString text; // what the field holds at first
    };

    class Responder {
    public:
        virtual ~Responder() = default;
        virtual MessageAnswer answerMessage(const Message& message) = 0;
        // The chosen path, or empty for cancel.
        virtual QString answerFile(const FileChoice& choice) = 0;
        // true when printing is to go ahead.
        virtual bool answerPrint(QPrinter& printer) = 0;
        // The text entered, or nothing for cancel.
        virtual std::optional<QString> answerText(const TextQuestion& question) {
            return question.text;
        }
    };

    // Installs (or, with nullptr, removes) the responder; not owned.
    static void setResponder(Responder* responder);
    static Responder* responder();

    static MessageAnswer message(QWidget* parent, const QString& text, MessageButtons buttons,
                                 MessageIcon icon);
    static QString chooseFile(QWidget* parent, const FileChoice& choice);
    static bool choosePrinter(QWidget* parent, QPrinter& printer);
    // One line of text (CTextInputDlg); nothing when cancelled.
    static std::optional<QString> askText(QWidget* parent, const TextQuestion& question);

    // The file filters of the program's choosers.
    static QString csvFilter(); // "CSV(カンマ区切り) (*.csv);;すべてのファイル (*.*)"
    static QString projectFilter(); // "Quendix Project (*.qdx);;すべてのファイル (*.*)"
};

} // namespace qdx
