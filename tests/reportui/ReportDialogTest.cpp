#include "support/Printouts.h"
#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/QdxRunner.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "store/JournalTable.h"
#include "ui/history/CMatchDiffDlg.h"
#include "ui/report/CReportDlg.h"
#include "ui/search/CIndividualSearchDlg.h"
#include "ui/search/IndividualSearchTableModel.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace qdx;
using namespace qdx::test;

namespace {

// A body and a missing person registered as the same person, with two more charts per side.
std::string writePair(TempDir& dir) {
    const std::string path = dir.file("report.qdx");
    DentalRecord body =
        chartRecord("T01-00001", std::string(20, '1') + "234" + std::string(9, '5'), "1");
    body.place = "気仙沼第一";
    DentalRecord person =
        chartRecord("D0004-00031", std::string(20, '1') + "243" + std::string(9, '1'), "1");
    person.name = "山田太郎";
    writeProject(path, {body, chartRecord("T01-00002", std::string(32, '4'), "1")},
                 {person, chartRecord("D0004-00032", std::string(32, '1'), "2")},
                 {matchRow(1, 1, "1")});
    return path;
}

QString pdfText(const QString& pdf) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    tool.waitForFinished(60000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// The text without the minute it was made in.
QString withoutTime(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("作成日：[^\\n]*")));
}

void fillDialog(CReportDlg& dialog) {
    child<QComboBox>(dialog, "conclusionCombo")->setCurrentIndex(1);
    child<QLineEdit>(dialog, "examinerEdit")->setText(QStringLiteral("佐藤一郎"));
    child<QLineEdit>(dialog, "checkerEdit")->setText(QStringLiteral("鈴木花子"));
    child<QPlainTextEdit>(dialog, "remarksEdit")->setPlainText(QStringLiteral("歯冠形態も一致"));
}

} // namespace

class ReportDialogTest : public QObject {
    Q_OBJECT
private slots:
    // PDF保存 writes the report: both IDs, the counts, the evidence and the conclusion, the
    // charts drawn with their rings; the change history notes the conclusion, names and file.
    void savesThePdfAndNotesIt() {
        TempDir dir;
        ProjectModel model;
        openWithLists(model, writePair(dir));
        model.setPictureFolder(QDX_PICTURE_FOLDER);
        CReportDlg dialog(model, 1, 1);
        dialog.show();
        const QPixmap preview = dialog.preview()->pixmap();
        QVERIFY(!preview.isNull());
        QCOMPARE(preview.width(), 420);
        fillDialog(dialog);
        const QString pdf = QString::fromStdString(dir.file("window.pdf"));
        ScriptedResponder prompts;
        prompts.choose(pdf);
        child<QPushButton>(dialog, "pdfButton")->click();
        QVERIFY(prompts.allAnswered());
        QVERIFY(prompts.choices.front().initialPath.endsWith("報告書_T01-00001_D0004-00031.pdf"));
        keepPrintout(pdf, QStringLiteral("report.pdf"));
        const QString text = pdfText(pdf);
        for (const char* expected :
             {"T01-00001", "D0004-00031", "山田太郎", "気仙沼第一", "比較歯数 23", "完全一致数 21",
              "1 / 2（(X+1)/(N+1) = 2/3", "結論：可能性が高い", "担当者：佐藤一郎",
              "確認者：鈴木花子", "歯冠形態も一致", "デンタルチャートで判明"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        QCOMPARE(text.count(QStringLiteral("\f")), 2);
        QCOMPARE(printoutRenderFailure(pdf, dir.file("page")), QString());
        // The agreeing teeth are ringed in green on the charts of page 1.
        QImage page(QString::fromStdString(dir.file("page-1.png")));
        if (page.isNull())
            page.load(QString::fromStdString(dir.file("page-01.png")));
        QVERIFY(!page.isNull());
        bool ring = false;
        for (int y = 0; y < page.height() && !ring; ++y)
            for (int x = 0; x < page.width() && !ring; ++x) {
                const QColor c = page.pixelColor(x, y);
                ring = c.green() > 80 && c.red() < 60 && c.blue() < 60;
            }
        QVERIFY(ring);

        journal::JournalQuery query;
        query.kind = journal::kReport;
        const auto rows = model.loadJournal(query);
        QCOMPARE(rows.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(rows[0].DETAIL),
                 QStringLiteral("報告書 可能性が高い T01-00001 / D0004-00031, 担当 佐藤一郎, "
                                "確認 鈴木花子, ファイル ") +
                     pdf);
        QVERIFY(model.settingsOrMatchesChanged());
    }

    // 印刷 prints the same pages, and `qdx report` writes them too.
    void printAndCommandWriteTheSamePages() {
        TempDir dir;
        const std::string path = writePair(dir);
        const QString saved = QString::fromStdString(dir.file("saved.pdf"));
        const QString printed = QString::fromStdString(dir.file("printed.pdf"));
        {
            ProjectModel model;
            openWithLists(model, path);
            model.setPictureFolder(QDX_PICTURE_FOLDER);
            CReportDlg dialog(model, 1, 1);
            fillDialog(dialog);
            ScriptedResponder prompts;
            prompts.choose(saved);
            prompts.printTo(printed);
            dialog.saveToPdf();
            child<QPushButton>(dialog, "printButton")->click();
            QVERIFY(prompts.allAnswered());
            journal::JournalQuery reports;
            reports.kind = journal::kReport;
            QCOMPARE(model.loadJournal(reports).size(), std::size_t(2));
            model.close(false);
        }
        const std::string fromCommand = dir.file("command.pdf");
        const QdxResult result =
            runQdx({"report", path, "--pm", "T01-00001", "--am", "D0004-00031", "--conclusion",
                    "probable", "--examiner", "佐藤一郎", "--checker", "鈴木花子", "--remarks",
                    "歯冠形態も一致", "--pdf", fromCommand});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(QString::fromStdString(result.out),
                 QStringLiteral("T01-00001\tD0004-00031\t可能性が高い\t") +
                     QString::fromStdString(fromCommand) + "\n");
        const QString window = withoutTime(pdfText(saved));
        QVERIFY(window.contains("結論：可能性が高い"));
        QCOMPARE(withoutTime(pdfText(printed)), window);
        QCOMPARE(withoutTime(pdfText(QString::fromStdString(fromCommand))), window);
        // The command saved its history row.
        QCOMPARE(countOnDisk(path, "SELECT count(*) FROM TB_JOURNAL WHERE KIND='REPORT' AND "
                                   "EXAMINER='佐藤一郎'"),
                 1LL);
        // An ID that is not there is refused and nothing is written.
        const QdxResult missing = runQdx({"report", path, "--pm", "T09-00009", "--am",
                                          "D0004-00031", "--pdf", dir.file("none.pdf")});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(!QFile::exists(QString::fromStdString(dir.file("none.pdf"))));
    }

    // 報告書 in the individual search opens the report of the searching chart and the
    // selected candidate; in the comparison window that of the pair shown.
    void windowsOpenTheReportOfTheirPair() {
        TempDir dir;
        ProjectModel model;
        openWithLists(model, writePair(dir));
        std::vector<std::pair<long long, long long>> opened;
        const ReportOpener record = [&opened](QWidget*, long long pm, long long am) {
            opened.emplace_back(pm, am);
        };
        SearchConditions conditions;
        conditions.searchDirection = 1; // the body searches the missing persons
        CIndividualSearchDlg search(model, conditions, QStringLiteral("T01-00001"));
        search.reportOpener = record;
        search.show();
        QTRY_VERIFY(search.isReady());
        QPushButton* button = child<QPushButton>(search, "reportButton");
        QVERIFY(button->isVisible());
        const int second = search.tableModel()->rowCount() - 1;
        QCOMPARE(second, 2);
        search.selectRow(second);
        button->click();
        const long long secondKey = std::atoll(
            search.tableModel()->rows()[static_cast<std::size_t>(second)].dentalId.c_str());
        QCOMPARE(opened.size(), std::size_t(1));
        QCOMPARE(opened.back(), std::make_pair(1LL, secondKey));

        CMatchDiffDlg compare(model, AnteMortem, 1);
        QPushButton* compareButton = child<QPushButton>(compare, "reportButton");
        compare.show();
        QVERIFY(!compareButton->isVisible());
        compare.setReportOpener(record);
        QVERIFY(compareButton->isVisible());
        compareButton->click();
        QCOMPARE(opened.back(), std::make_pair(1LL, 1LL));
        // A record without a partner offers no report.
        CMatchDiffDlg alone(model, PostMortem, 2);
        alone.setReportOpener(record);
        alone.show();
        QVERIFY(!child<QPushButton>(alone, "reportButton")->isVisible());
    }
};

QTEST_MAIN(ReportDialogTest)
#include "ReportDialogTest.moc"
