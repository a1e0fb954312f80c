// The main window's import and export commands around the safety copy of the project.
#include "ui/main/CCusporaDlg.h"

#include "app/ProjectShell.h"
#include "io/ImportMessages.h"
#include "io/OesImporter.h"
#include "io/PenCsvImporter.h"
#include "io/ProjectExport.h"
#include "io/ProjectMerge.h"
#include "store/StoreError.h"
#include "ui/common/LongTask.h"
#include "ui/common/Prompts.h"

namespace qdx {

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

bool CCusporaDlg::importAllowed() {
    return m_model.isOpen();
}

void CCusporaDlg::importPenCsv(int side) {
    if (!importAllowed()) {
        return;
    }
    if (Prompts::message(this,
                         QStringLiteral("デジタルペンシステムが出力した情報を取り込みます。CSVファ"
                                        "イルを選択してください。取り込み件数によっては、時間が"
                                        "かかる場合がございます。よろしいですか？"),
                         MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) {
        return;
    }
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::OpenExisting;
    choice.title = QStringLiteral("CSVファイルを選択");
    choice.filter = Prompts::csvFilter();
    choice.defaultSuffix = QStringLiteral("csv");
    const QString file = Prompts::chooseFile(this, choice);
    if (file.isEmpty()) {
        return;
    }
    if (!m_shell->backupBeforeImport(false)) {
        refreshLists(false);
        return;
    }
    ImportResult result;
    const std::string logFolder = m_shell->defaultProjectFolder().toStdString();
    try {
        LongTask::run(
            this, QStringLiteral("デジタルペン出力CSVファイルを取り込んでいます..."),
            [&] { result = qdx::importPenCsv(m_model, side, file.toStdString(), logFolder); });
    } catch (const std::exception&) {
        result.failed = true;
    }
    Prompts::message(this, QString::fromStdString(result.message()), MessageButtons::Ok,
                     MessageIcon::Exclamation);
    if (m_shell->removeBackup()) {
        refreshLists(false);
    }
}

void CCusporaDlg::importOes(int side) {
    if (!importAllowed()) {
        return;
    }
    if (Prompts::message(this,
                         QStringLiteral("歯科診査情報を取り込みます。ディレクトリを選択してくださ"
                                        "い。取り込み件数によっては、時間がかかる場合がございま"
                                        "す。よろしいですか？"),
                         MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) {
        return;
    }
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::Folder;
    choice.title = QStringLiteral("現在のプロジェクトファイルに追加する、歯科診査情報（OES）ファ"
                                  "イルのディレクトリを選択してください。");
    const QString folder = Prompts::chooseFile(this, choice);
    if (folder.isEmpty()) {
        return;
    }
    if (!m_shell->backupBeforeImport(false)) {
        refreshLists(false);
        return;
    }
    ImportResult result;
    const std::string logFolder = m_shell->defaultProjectFolder().toStdString();
    try {
        LongTask::run(this, QStringLiteral("OESファイルを取り込んでいます..."), [&] {
            result = importOesFolder(m_model, side, folder.toStdString(), logFolder);
        });
    } catch (const std::exception&) {
        result.failed = true;
    }
    if (!result.logOpened) {
        // Nothing was read: the backup stays beside the project and the lists are as they were.
        Prompts::message(this, fromView(kLogOpenFailedMessage), MessageButtons::Ok,
                         MessageIcon::Exclamation);
        Prompts::message(this, fromView(kImportNotRunMessage), MessageButtons::Ok,
                         MessageIcon::Error);
        return;
    }
    Prompts::message(this, QString::fromStdString(result.message()), MessageButtons::Ok,
                     MessageIcon::Exclamation);
    if (m_shell->removeBackup()) {
        refreshLists(false);
    }
}

void CCusporaDlg::importProject() {
    if (!importAllowed() || Prompts::message(this, fromView(kMergeQuestion), MessageButtons::YesNo,
                                             MessageIcon::Question) != MessageAnswer::Yes) {
        return;
    }
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::OpenExisting;
    choice.title = QStringLiteral("プロジェクトファイルを指定");
    choice.filter = Prompts::projectFilter();
    choice.defaultSuffix = QStringLiteral("qdx");
    const QString source = Prompts::chooseFile(this, choice);
    if (source.isEmpty()) {
        return;
    }
    if (!m_shell->backupBeforeImport(true)) {
        refreshLists(false);
        return;
    }
    int prefixed = 0;
    try {
        LongTask::run(this, QStringLiteral("プロジェクトファイルを取り込んでいます..."),
                      [&] { prefixed = mergeProject(m_model, source.toStdString()); });
    } catch (const StoreError& error) {
        m_shell->restoreAfterFailedImport(QString::fromStdString(error.fullText()));
        refreshLists(false);
        return;
    }
    if (prefixed != 0) {
        Prompts::message(this, fromView(kMergeRenamedMessage), MessageButtons::Ok,
                         MessageIcon::Information);
    }
    if (m_shell->removeBackup()) {
        refreshLists(false);
    }
}

void CCusporaDlg::exportProject() {
    if (!m_model.isOpen()) {
        return;
    }
    Prompts::message(this,
                     QStringLiteral("死後データ、生前データ、照合データの順番でCSVファイルを指定"
                                    "してください。"),
                     MessageButtons::Ok, MessageIcon::Exclamation);
    const QString titles[] = {QStringLiteral("名前を付けて死後データを保存"),
                              QStringLiteral("名前を付けて生前データを保存"),
                              QStringLiteral("名前を付けて照合データを保存")};
    const QString names[] = {QStringLiteral("死後記録デンタルチャート（５分類）.csv"),
                             QStringLiteral("生前記録デンタルチャート（５分類）.csv"),
                             QStringLiteral("照合記録.csv")};
    std::string paths[3];
    for (int i = 0; i < 3; ++i) {
        Prompts::FileChoice choice;
        choice.kind = Prompts::FileChoice::Save;
        choice.title = titles[i];
        choice.filter = Prompts::csvFilter();
        choice.defaultSuffix = QStringLiteral("csv");
        choice.initialPath = names[i];
        const QString path = Prompts::chooseFile(this, choice);
        if (path.isEmpty()) {
            return;
        }
        paths[i] = path.toStdString();
    }
    std::optional<std::string> failure;
    try {
        LongTask::run(this, QStringLiteral("エクスポートしています..."),
                      [&] { failure = ExportProject(m_model, paths[0], paths[1], paths[2]); });
    } catch (const StoreError& error) {
        m_shell->showStoreError(error);
        return;
    }
    if (failure) {
        Prompts::message(this, QString::fromStdString(*failure), MessageButtons::Ok,
                         MessageIcon::Error);
    }
}

} // namespace qdx
