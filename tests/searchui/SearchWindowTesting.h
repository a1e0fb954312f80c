#pragma once

#include "support/PromptResponder.h"

#include <QApplication>
#include <QPrinter>
#include <QProgressDialog>
#include <QStringList>
#include <QTimer>

namespace qdx::test {

// Answers as ScriptedResponder does and keeps the file each print dialog was to propose for
// printing to a PDF file.
class PrintProposals : public ScriptedResponder {
public:
    bool answerPrint(QPrinter& printer) override {
        proposedPdfs << printer.outputFileName();
        return ScriptedResponder::answerPrint(printer);
    }

    QStringList proposedPdfs;
};

// Presses the cancel button of the progress window of the search that starts next.
inline void cancelTheNextSearch() {
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* progress = qobject_cast<QProgressDialog*>(w))
                progress->cancel();
        }
    });
}

} // namespace qdx::test
