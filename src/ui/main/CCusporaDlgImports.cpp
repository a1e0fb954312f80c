// The main window's import and export commands: the questions and the messages; the imports
// themselves (backup, import, log, finish or restore) are the core's.
#include "ui/main/CCusporaDlg.h"

#include "app/ProjectShell.h"
#include "io/ImportFlow.h"
#include "io/ProjectExport.h"
#include "io/ProjectMerge.h"
#include "store/StoreError.h"
#include "ui/common/CoreText.h"
#include "ui/common/LongTask.h"
#include "ui/common/Prompts.h"

namespace qdx {

namespace {

// Shows the messages of an import in the program's message box and runs its import step under
// the wait cursor.
class WindowImportShell : public ImportShell {
public:
    WindowImportShell(QWidget* window, QString label)
        : m_window(window), m_label(std::move(label)) {}

    void tell(const std::string& text, ImportNotice kind) override {
        Prompts::message(m_window, qs(text), MessageButtons::Ok, iconOf(kind));
    }
    void runImportStep(const std::function<void()>& step) override {
        LongTask::run(m_window, m_label, step);
    }

private:
    static MessageIcon iconOf(ImportNotice kind) {
        switch (kind) {
        case ImportNotice::Information:
            return MessageIcon::Information;
        case ImportNotice::Exclamation:
            return MessageIcon::Exclamation;
        case ImportNotice::Error:
            break;
        }
        return MessageIcon::Error;
    }

    QWidget* m_window;
    QString m_label;
};

using ImportCommand = ImportOutcome (*)(ProjectModel&, ImportShell&, const ImportRequest&);

// After the import's own questions: asks about unsaved changes, runs the import and reloads the
// lists unless its backup still lies beside the project.
void runImportCommand(CCusporaDlg& window, ImportCommand run, const QString& label,
                      ImportRequest request, bool storeConditions) {
    const std::optional<bool> commit = window.shell().askBeforeImport(storeConditions);
    if (commit) {
        request.commit = *commit;
        request.logFolder = window.shell().defaultProjectFolder().toStdString();
        WindowImportShell shell(&window, label);
        if (!run(window.model(), shell, request).reloadLists) {
            return;
        }
    }
    window.refreshLists(false);
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
    ImportRequest request;
    request.side = side;
    request.source = file.toStdString();
    runImportCommand(*this, runPenImport,
                     QStringLiteral("デジタルペン出力CSVファイルを取り込んでいます..."), request,
                     false);
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
    ImportRequest request;
    request.side = side;
    request.source = folder.toStdString();
    runImportCommand(*this, runOesImport, QStringLiteral("OESファイルを取り込んでいます..."),
                     request, false);
}

void CCusporaDlg::importProject() {
    if (!importAllowed() || Prompts::message(this, qs(kMergeQuestion), MessageButtons::YesNo,
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
    ImportRequest request;
    request.source = source.toStdString();
    runImportCommand(*this, runProjectMerge,
                     QStringLiteral("プロジェクトファイルを取り込んでいます..."), request, true);
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
