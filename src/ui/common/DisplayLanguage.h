#pragma once

#include "model/Labels.h"
#include "model/Wording.h"

#include <QString>

#include <string_view>

namespace qdx {

// The program-wide display language of this run. The program's texts are written in Japanese;
// English comes from the translation file "quendix_en.qm" beside the program, and Qt's own
// texts (standard buttons, file choosers, the print dialog) from Qt's "qtbase_ja.qm" or
// "qtbase_en.qm".
class DisplayLanguage {
public:
    static Language current();
    static bool english() { return current() == Language::English; }

    // Sets the language and installs its texts, replacing those installed before; windows
    // built afterwards show them. False when a translation file could not be loaded (the
    // language is set all the same; what is missing stays Japanese or Qt's English).
    static bool install(Language language, const QString& programFolder, const QString& qtFolder);

    // "ja" or "en"; false for any other code.
    static bool fromCode(const QString& code, Language& language);
};

// A text decided by the core, in the display language.
QString coreTr(std::string_view japanese);
// A message of the core that may carry a detail after its first line ("message\npath"): the
// whole text in the display language when it is one known text, else its first line and the
// rest as it came.
QString coreMessageTr(std::string_view text);
// A failure as the windows show it: the core's message in the display language, "\n" and the
// text of the database or the system as it came.
QString failureText(std::string_view message, std::string_view detail);
// The core's wording of the display language, for the core functions that compose a text.
Wording displayWording();

} // namespace qdx
