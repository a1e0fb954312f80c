#pragma once

#include <QString>
#include <QStringList>

namespace qdx {

// What the command line asks for. The project path is the rest of the command line with every
// apostrophe and double quote removed, so a quoted path with blanks arrives whole.
struct StartupOptions {
    QString projectPath;
    bool showHiddenCommands = false; // "--show-hidden-commands": the hidden commands, this run
    QString screenshotPath;          // "--screenshot=FILE": save the opened window and end
    QString screenshotWindow = QStringLiteral("main"); // "--screenshot-window=NAME": which one
    QString documentsFolder;                 // "--documents=DIR": where "QuendixFree" is looked for
    QString language = QStringLiteral("ja"); // "--language=ja|en": the display language

    // `arguments` without the program name.
    static StartupOptions parse(const QStringList& arguments);

    // What "--version" or "--help" (anywhere on the command line) prints; empty for a normal
    // start. Both are answered before any window exists, so they need no display.
    static QString informationText(const QStringList& arguments);
};

} // namespace qdx
