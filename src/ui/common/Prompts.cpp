#include "ui/common/Prompts.h"

#include "ui/common/CMsgBoxDlg.h"
#include "ui/common/CTextInputDlg.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace qdx {

namespace {
Prompts::Responder* g_responder = nullptr;
}

void Prompts::setResponder(Responder* responder) {
    g_responder = responder;
}

Prompts::Responder* Prompts::responder() {
    return g_responder;
}

MessageAnswer Prompts::message(QWidget* parent, const QString& text, MessageButtons buttons,
                               MessageIcon icon) {
    if (g_responder != nullptr) {
        return g_responder->answerMessage({text, buttons, icon});
    }
    CMsgBoxDlg box(text, buttons, icon, parent);
    return CMsgBoxDlg::answerFor(box.exec());
}

QString Prompts::chooseFile(QWidget* parent, const FileChoice& choice) {
    if (g_responder != nullptr) {
        return g_responder->answerFile(choice);
    }
    if (choice.kind == FileChoice::Folder) {
        return QFileDialog::getExistingDirectory(parent, choice.title, choice.initialPath,
                                                 QFileDialog::ShowDirsOnly);
    }
    QFileDialog dialog(parent, choice.title, choice.initialPath, choice.filter);
    dialog.setDefaultSuffix(choice.defaultSuffix);
    switch (choice.kind) {
    case FileChoice::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    case FileChoice::OpenExisting:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    default:
        // A name that does not exist yet is how a new project is created.
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> Prompts::askText(QWidget* parent, const TextQuestion& question) {
    if (g_responder != nullptr) {
        return g_responder->answerText(question);
    }
    CTextInputDlg dialog(question.title, question.label, question.text, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.text();
}

QString Prompts::csvFilter() {
    return QCoreApplication::translate("qdx::Prompts",
                                       "CSV(カンマ区切り) (*.csv);;すべてのファイル (*.*)");
}

QString Prompts::projectFilter() {
    return QCoreApplication::translate("qdx::Prompts",
                                       "Quendix Project (*.qdx);;すべてのファイル (*.*)");
}

bool Prompts::choosePrinter(QWidget* parent, QPrinter& printer) {
    if (g_responder != nullptr) {
        return g_responder->answerPrint(printer);
    }
    QPrintDialog dialog(&printer, parent);
    // The printouts are printed whole: no page range, no selection. Printing to a file stays
    // on offer, as that is how a PDF is made.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace qdx
