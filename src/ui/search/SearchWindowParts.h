#pragma once

#include "views/search/SearchPrintHeading.h"

#include <QString>

#include <initializer_list>
#include <string>
#include <vector>

class QAbstractItemModel;
class QKeyEvent;
class QPrinter;
class QPushButton;
class QTableView;
class QWidget;

namespace qdx {

class ProjectModel;

// Pieces the search windows share.

// The result list: rows selected whole, one at a time, not editable, no row numbers, a row
// as high as the window's font needs.
void setUpResultList(QTableView* table, QAbstractItemModel* model);

// The keys of the search windows: Esc does nothing and Enter runs the focused button among
// `buttons` (when enabled). True when the key was handled.
bool handleSearchWindowKey(QWidget* window, QKeyEvent* event,
                           std::initializer_list<QPushButton*> buttons);

// The folder of the open project file, where the search windows propose the files they save
// and print (not the working folder or the home folder the choosers would start in).
QString projectFolder(const ProjectModel& model);
// `name` in that folder.
QString inProjectFolder(const ProjectModel& model, const QString& name);

// "ファイルに保存" of the individual and the bridge search: proposes "個別検索結果_<ID>.csv"
// in the project's folder (warning first when characters had to go from the ID) and asks where
// to save. Empty when the user cancelled.
QString chooseIndividualResultFile(QWidget* parent, const ProjectModel& model,
                                   const QString& targetId);
// "印刷": sets the printer up for a search printout named `documentName` and asks for it, its
// print to file proposing "<documentName>.pdf" in the project's folder. False when cancelled.
bool chooseSearchPrinter(QWidget* parent, const ProjectModel& model, QPrinter& printer,
                         const QString& documentName);
// Puts a printout into the display language: its layout (English: legal paper, positions and
// tooth numbers), its words and its creation date. Japanese leaves it as it is.
void wordPrintout(SearchPrintConditions& job);
// Writes the file lines under the wait cursor; a file that cannot be written shows its error.
void writeIndividualResultFile(QWidget* parent, const QString& path,
                               const std::vector<std::string>& lines);

} // namespace qdx
