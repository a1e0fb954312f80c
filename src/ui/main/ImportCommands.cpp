#include "ui/main/ImportCommands.h"

#include "app/ProjectShell.h"
#include "io/ImportFlow.h"
#include "io/ProjectExport.h"
#include "io/ProjectMerge.h"
#include "store/StoreError.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/LongTask.h"
#include "ui/common/Prompts.h"
#include "ui/main/CCusporaDlg.h"

namespace qdx {

namespace {

// Shows the messages of an import in the program's message box and runs its import step under
// the wait cursor.
class WindowImportShell : public ImportShell {
public:
    WindowImportShell(QWidget* window, QString label)
        : m_window(window), m_label(std::move(label)) {}

    void tell(const std::string& text, ImportNotice kind) override {
        Prompts::message(m_window, coreMessageTr(text), MessageButtons::Ok, iconOf(kind));
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

// An import's own first steps: the question, then its source (empty when either was declined).
QString confirmAndChoose(QWidget* window, const QString& question,
                         const Prompts::FileChoice& choice) {
    if (Prompts::message(window, question, MessageButtons::YesNo, MessageIcon::Question) !=
        MessageAnswer::Yes) {
        return {};
    }
    return Prompts::chooseFile(window, choice);
}

Prompts::FileChoice existingFile(const QString& title, const QString& filter,
                                 const QString& suffix) {
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::OpenExisting;
    choice.title = title;
    choice.filter = filter;
    choice.defaultSuffix = suffix;
    return choice;
}

// After the import's own questions: asks about unsaved changes, runs the import and reloads the
// lists unless its backup still lies beside the project.
void runImportCommand(CCusporaDlg& window, ImportCommand run, const QString& label, int side,
                      const QString& source, bool storeConditions) {
    const std::optional<bool> commit = window.shell().askBeforeImport(storeConditions);
    if (commit) {
        window.askExaminerOnce();
        ImportRequest request;
        request.side = side;
        request.source = source.toStdString();
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

void ImportCommands::importPenCsv(int side) {
    if (!m_window.model().isOpen()) {
        return;
    }
    const QString file = confirmAndChoose(
        &m_window,
        tr("デジタルペンシステムが出力した情報を取り込みます。CSVファイルを選択して"
           "ください。取り込み件数によっては、時間がかかる場合がございます。よろしい"
           "ですか？"),
        existingFile(tr("CSVファイルを選択"), Prompts::csvFilter(), QStringLiteral("csv")));
    if (!file.isEmpty()) {
        runImportCommand(m_window, runPenImport,
                         tr("デジタルペン出力CSVファイルを取り込んでいます..."), side, file, false);
    }
}

void ImportCommands::importOes(int side) {
    if (!m_window.model().isOpen()) {
        return;
    }
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::Folder;
    choice.title = tr("現在のプロジェクトファイルに追加する、歯科診査情報（OES）ファ"
                      "イルのディレクトリを選択してください。");
    const QString folder = confirmAndChoose(
        &m_window,
        tr("歯科診査情報を取り込みます。ディレクトリを選択してください。取り込み件数"
           "によっては、時間がかかる場合がございます。よろしいですか？"),
        choice);
    if (!folder.isEmpty()) {
        runImportCommand(m_window, runOesImport, tr("OESファイルを取り込んでいます..."), side,
                         folder, false);
    }
}

void ImportCommands::importProject() {
    if (!m_window.model().isOpen()) {
        return;
    }
    const QString source =
        confirmAndChoose(&m_window, coreTr(kMergeQuestion),
                         existingFile(tr("プロジェクトファイルを指定"), Prompts::projectFilter(),
                                      QStringLiteral("qdx")));
    if (!source.isEmpty()) {
        runImportCommand(m_window, runProjectMerge, tr("プロジェクトファイルを取り込んでいます..."),
                         PostMortem, source, true);
    }
}

void ImportCommands::exportProject() {
    if (!m_window.model().isOpen()) {
        return;
    }
    Prompts::message(&m_window,
                     tr("死後データ、生前データ、照合データの順番でCSVファイルを指定"
                        "してください。"),
                     MessageButtons::Ok, MessageIcon::Exclamation);
    const QString titles[] = {tr("名前を付けて死後データを保存"),
                              tr("名前を付けて生前データを保存"),
                              tr("名前を付けて照合データを保存")};
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
        const QString path = Prompts::chooseFile(&m_window, choice);
        if (path.isEmpty()) {
            return;
        }
        paths[i] = path.toStdString();
    }
    std::optional<std::string> failure;
    try {
        LongTask::run(&m_window, tr("エクスポートしています..."), [&] {
            failure = ExportProject(m_window.model(), paths[0], paths[1], paths[2]);
        });
    } catch (const StoreError& error) {
        m_window.shell().showStoreError(error);
        return;
    }
    if (failure) {
        Prompts::message(&m_window, coreMessageTr(*failure), MessageButtons::Ok,
                         MessageIcon::Error);
    }
}

} // namespace qdx
