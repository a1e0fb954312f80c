#include "ui/search/SearchWindowParts.h"

#include "io/SearchResultFile.h"
#include "store/ProjectModel.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"
#include "ui/search/PrintRenderer.h"
#include "views/search/IndividualSearchRows.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>

#include <ctime>

namespace qdx {

void setUpResultList(QTableView* table, QAbstractItemModel* model) {
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(QFontMetrics(table->font()).height() + 4);
    table->horizontalHeader()->setHighlightSections(false);
}

bool handleSearchWindowKey(QWidget* window, QKeyEvent* event,
                           std::initializer_list<QPushButton*> buttons) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    for (QPushButton* button : buttons) {
        if (window->focusWidget() == button) {
            if (button->isEnabled())
                button->click();
            event->accept();
            return true;
        }
    }
    return false;
}

QString projectFolder(const ProjectModel& model) {
    // A project named without a folder lies in the working folder.
    return QFileInfo(qs(model.projectPath())).absolutePath();
}

QString inProjectFolder(const ProjectModel& model, const QString& name) {
    return QDir(projectFolder(model)).filePath(name);
}

QString chooseIndividualResultFile(QWidget* parent, const ProjectModel& model,
                                   const QString& targetId) {
    const ProposedFileName proposed = individualCsvFileName(targetId.toStdString());
    if (proposed.removed)
        Prompts::message(parent, coreTr(kInvalidFileNameMessage), MessageButtons::Ok,
                         MessageIcon::Exclamation);
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::Save;
    choice.filter = Prompts::csvFilter();
    choice.defaultSuffix = QStringLiteral("csv");
    choice.initialPath = inProjectFolder(model, QString::fromStdString(proposed.name));
    return Prompts::chooseFile(parent, choice);
}

bool chooseSearchPrinter(QWidget* parent, const ProjectModel& model, QPrinter& printer,
                         const QString& documentName) {
    preparePrinter(printer, documentName, DisplayLanguage::english());
    proposePrintFile(printer, inProjectFolder(model, documentName + QStringLiteral(".pdf")));
    if (!Prompts::choosePrinter(parent, printer))
        return false;
    // A printer chosen in the dialog prints on paper, never into the proposed file.
    if (printer.outputFormat() == QPrinter::NativeFormat)
        printer.setOutputFileName(QString());
    preparePrinter(printer, documentName, DisplayLanguage::english());
    return true;
}

void wordPrintout(SearchPrintConditions& job) {
    job.english = DisplayLanguage::english();
    if (DisplayLanguage::current() == Language::Japanese)
        return;
    job.wording = displayWording();
    job.createdText = printCreatedText(std::time(nullptr), job.wording);
}

void writeIndividualResultFile(QWidget* parent, const QString& path,
                               const std::vector<std::string>& lines) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        writeIndividualSearchCsv(path.toStdString(), lines);
        QApplication::restoreOverrideCursor();
    } catch (const SearchResultFileError& error) {
        QApplication::restoreOverrideCursor();
        Prompts::message(parent, failureText(kCsvOpenFailedMessage, error.systemText()),
                         MessageButtons::Ok, MessageIcon::Error);
    }
}

} // namespace qdx
