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

} // namespace qdx
