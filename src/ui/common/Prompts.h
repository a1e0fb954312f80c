#pragma once

#include <QString>

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
        int buttons = 0; // 0 OK, 1 OK/cancel, 3 yes/no/cancel, 4 yes/no
        int icon = 0;    // 16 error, 32 question, 48 exclamation, 64 information
    };
    struct FileChoice {
        enum Kind { Open, OpenExisting, Save, Folder };
        Kind kind = Open;
        QString title; // the prompt text for a folder
        QString filter;
        QString defaultSuffix;
        QString initialPath; // folder or proposed file; empty: where the chooser was last used
    };

    class Responder {
    public:
        virtual ~Responder() = default;
        // 6 yes/OK, 7 no, 2 cancel.
        virtual int answerMessage(const Message& message) = 0;
        // The chosen path, or empty for cancel.
        virtual QString answerFile(const FileChoice& choice) = 0;
        // true when printing is to go ahead.
        virtual bool answerPrint(QPrinter& printer) = 0;
    };

    // Installs (or, with nullptr, removes) the responder; not owned.
    static void setResponder(Responder* responder);
    static Responder* responder();

    static int message(QWidget* parent, const QString& text, int buttons, int icon);
    static QString chooseFile(QWidget* parent, const FileChoice& choice);
    static bool choosePrinter(QWidget* parent, QPrinter& printer);

    // Filters are written as "name (*.x)|*.x|...||"; Qt wants "name (*.x);;...".
    static QString qtFilter(const QString& filter);
};

// Button sets and icons as the callers name them.
enum MessageButtons : int { MbOk = 0, MbOkCancel = 1, MbYesNoCancel = 3, MbYesNo = 4 };
enum MessageIcon : int { IconError = 16, IconQuestion = 32, IconExclamation = 48, IconInfo = 64 };
enum MessageResult : int { ResultYes = 6, ResultNo = 7, ResultCancel = 2 };

} // namespace qdx
