#include "ui/common/DisplayLanguage.h"

#include <QCoreApplication>
#include <QTranslator>

#include <string>

namespace qdx {

namespace {

Language g_language = Language::Japanese;

// Loads `file` from `folder` into a translator named `name`, replacing the one of that name.
bool replaceTranslator(const QString& name, const QString& file, const QString& folder) {
    // A translator is removed from the application when it is deleted.
    delete qApp->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly);
    if (file.isEmpty()) {
        return true;
    }
    auto* translator = new QTranslator(qApp);
    if (!translator->load(file, folder)) {
        delete translator;
        return false;
    }
    translator->setObjectName(name);
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace

Language DisplayLanguage::current() {
    return g_language;
}

bool DisplayLanguage::install(Language language, const QString& programFolder,
                              const QString& qtFolder) {
    g_language = language;
    const bool en = language == Language::English;
    const bool own =
        replaceTranslator(QStringLiteral("programTranslations"),
                          en ? QStringLiteral("quendix_en") : QString(), programFolder);
    const bool qt =
        replaceTranslator(QStringLiteral("qtTranslations"),
                          en ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_ja"), qtFolder);
    return own && qt;
}

bool DisplayLanguage::fromCode(const QString& code, Language& language) {
    if (code == QStringLiteral("ja")) {
        language = Language::Japanese;
    } else if (code == QStringLiteral("en")) {
        language = Language::English;
    } else {
        return false;
    }
    return true;
}

QString coreTr(std::string_view japanese) {
    const std::string source(japanese);
    return QCoreApplication::translate("Core", source.c_str());
}

QString coreMessageTr(std::string_view text) {
    const QString whole = coreTr(text);
    const std::size_t end = text.find('\n');
    if (whole != QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())) ||
        end == std::string_view::npos) {
        return whole;
    }
    return failureText(text.substr(0, end), text.substr(end + 1));
}

QString failureText(std::string_view message, std::string_view detail) {
    return coreTr(message) + QLatin1Char('\n') +
           QString::fromUtf8(detail.data(), static_cast<qsizetype>(detail.size()));
}

Wording displayWording() {
    return [](std::string_view japanese) { return coreTr(japanese).toStdString(); };
}

} // namespace qdx
