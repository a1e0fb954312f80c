#pragma once

#include "ui/common/ReportOpener.h"

class QWidget;

namespace qdx {

class CCusporaDlg;

// Opens the report dialog of a pair on the main window's project; a store failure is shown.
ReportOpener reportOpener(CCusporaDlg& main);

// For pictures of the windows: the report of the first post-mortem record registered as the
// same person with an ante-mortem record (else the first records of both lists). Built on the
// main window, not shown; nullptr when the project cannot be read or a list is empty.
QWidget* createReportPicture(CCusporaDlg& main);

} // namespace qdx
