#include "app/StartupOptions.h"

namespace qdx {

StartupOptions StartupOptions::parse(const QStringList& arguments) {
    StartupOptions options;
    QStringList rest;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--show-hidden-commands")) {
            options.showHiddenCommands = true;
        } else if (argument.startsWith(QStringLiteral("--screenshot="))) {
            options.screenshotPath = argument.mid(13);
        } else if (argument.startsWith(QStringLiteral("--screenshot-window="))) {
            options.screenshotWindow = argument.mid(20);
        } else if (argument.startsWith(QStringLiteral("--documents="))) {
            options.documentsFolder = argument.mid(12);
        } else if (argument.startsWith(QStringLiteral("--language="))) {
            options.language = argument.mid(11);
        } else {
            rest << argument;
        }
    }
    QString path = rest.join(QLatin1Char(' '));
    path.remove(QLatin1Char('\''));
    path.remove(QLatin1Char('"'));
    options.projectPath = path.trimmed();
    return options;
}

QString StartupOptions::informationText(const QStringList& arguments) {
    if (arguments.contains(QStringLiteral("--version"))) {
        return QStringLiteral("quendix (Quendix Free) %1\n")
            .arg(QStringLiteral(QDX_PRODUCT_VERSION));
    }
    if (!arguments.contains(QStringLiteral("--help"))) {
        return {};
    }
    return QStringLiteral(
        "Usage: quendix [OPTION]... [PROJECT]\n"
        "Opens the project file PROJECT (*.qdx) in the desktop program, or shows the project\n"
        "chooser when none is named. Quotes are removed from PROJECT, \".qdx\" is appended\n"
        "when it does not contain \".qdx\", and a project that does not exist is created.\n"
        "\n"
        "Options for this run only:\n"
        "  --show-hidden-commands  show the commands the standard layout keeps hidden\n"
        "  --language=LANG         the language of the windows and printouts: ja\n"
        "                          (Japanese, the default) or en (English)\n"
        "  --documents=DIR         look for the project folder \"QuendixFree\" in DIR\n"
        "                          instead of the documents folder\n"
        "  --screenshot=FILE       save a picture of the window (PNG) once the project\n"
        "                          is shown, and end\n"
        "  --screenshot-window=NAME  with --screenshot: picture the window NAME instead\n"
        "                          of the main window (an unknown name lists them)\n"
        "  --help                  show this help and end\n"
        "  --version               show the version and end\n");
}

} // namespace qdx
