#pragma once

#include "support/PromptResponder.h"

#include <QPrinter>
#include <QStringList>

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

} // namespace qdx::test
