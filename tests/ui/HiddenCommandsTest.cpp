#include "support/ProjectFixture.h"
#include "support/PromptResponder.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "ui/main/CCusporaDlg.h"
#include "ui/main/RecordListModel.h"
#include "ui/qr/CQrCodeDlg.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace qdx;
using namespace qdx::test;

namespace {

// What a phone reader would read: the saved file decoded by zbar.
QString decode(const QString& path) {
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), path});
    if (!zbar.waitForFinished(20000)) {
        return QStringLiteral("<zbarimg did not finish>");
    }
    QString text = QString::fromUtf8(zbar.readAllStandardOutput());
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text;
}

} // namespace

class HiddenCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void rowTextAndSymbolLimits() {
        QCOMPARE(qrRowText({"*", "A-00001", "3b", "5 "}), std::string("*, A-00001, 3b, 5 "));
        QCOMPARE(qrRowText({"", "A-00001"}), std::string(", A-00001"));
        QCOMPARE(qrRowText({}), std::string());
        const QrModules small = encodeQr("A-00001");
        QCOMPARE(small.width, 21);
        // Byte mode holds at most 2331 bytes at level M; beyond that nothing is drawn.
        QVERIFY(!encodeQr(std::string(2331, 'a')).empty());
        QVERIFY(encodeQr(std::string(2332, 'a')).empty());
        QVERIFY(encodeQr("").empty());
        CQrCodeDlg tooLong(QString(3000, QLatin1Char('x')), QStringLiteral("x.bmp"));
        QVERIFY(!tooLong.hasPicture());
        QVERIFY(!tooLong.findChild<QPushButton*>(QStringLiteral("saveButton"))->isEnabled());
    }

    void savedBitmapDecodesToTheText() {
        TempDir dir;
        const QString text = QStringLiteral("u, 石巻-00012, 3b, 5 , 6 , No. 7, 気仙沼「ｱｲ」");
        CQrCodeDlg window(text, QStringLiteral("QR_石巻-00012.bmp"));
        QVERIFY(window.hasPicture());
        ScriptedResponder prompts;
        const QString path = QString::fromStdString(dir.file("qr.bmp"));
        prompts.choose(path);
        window.findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
        QVERIFY(prompts.allAnswered());
        QCOMPARE(prompts.choices.size(), 1);
        QCOMPARE(prompts.choices[0].kind, Prompts::FileChoice::Save);
        QCOMPARE(prompts.choices[0].initialPath, QStringLiteral("QR_石巻-00012.bmp"));
        const QByteArray bytes = QByteArray::fromStdString(readBytes(path.toStdString()));
        QVERIFY(bytes.startsWith("BM"));
        QCOMPARE(int(bytes[28]), 1); // one bit per pixel
        QCOMPARE(decode(path), text);

        // Cancelling the chooser writes nothing; a folder that cannot be written is reported.
        prompts.choose(QString());
        QVERIFY(!window.savePicture());
        prompts.choose(QString::fromStdString(dir.file("missing/qr.bmp")));
        QVERIFY(!window.savePicture());
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].icon, MessageIcon::Error);
    }

    void mainWindowButtonEncodesTheSelectedRow() {
        TempDir dir;
        const std::string project = dir.file("q.qdx");
        EnteredRecord bridged{"T01", "00001"};
        bridged.classes[0] = '3';
        bridged.bridges[0] = '1';
        writeEnteredProject(project, {bridged}, {{"D1", "00001"}});
        ScriptedResponder prompts;
        CCusporaDlg window(true);
        QVERIFY(window.startUp(QString::fromStdString(project)));
        window.show();
        auto* button = child<QPushButton>(window, "postMortemQrButton");
        QVERIFY(button->isVisible());

        window.selectRow(0, -1);
        button->click();
        QCOMPARE(
            prompts.texts().last(),
            QStringLiteral(
                "修正対象が選択されていません。\n再度、行を選択し修正ボタンを押下してください。"));

        window.selectRow(0, 0);
        const QString bitmap = QString::fromStdString(dir.file("row.bmp"));
        prompts.choose(bitmap);
        QString shownProposal;
        QTimer::singleShot(0, [&] {
            auto* qr = qobject_cast<CQrCodeDlg*>(QApplication::activeModalWidget());
            QVERIFY(qr);
            qr->savePicture();
            qr->accept();
        });
        button->click();
        QVERIFY(prompts.allAnswered());
        QCOMPARE(prompts.choices.last().initialPath, QStringLiteral("QR_T01-00001.bmp"));
        QString expected = QStringLiteral(", T01-00001, 3b");
        for (int i = 1; i < 32; ++i) {
            expected += QStringLiteral(", 5 ");
        }
        expected += QStringLiteral(", ") + window.listModel(0)->keyText(0);
        QCOMPARE(decode(bitmap), expected);
    }

    // No format is known for these files and nothing fills their path fields: the mark sheet
    // reports the missing file, the receipt reader says it is not there, and the lists stay.
    void markSheetAndReceiptWithoutAPath() {
        TempDir dir;
        const std::string project = dir.file("m.qdx");
        writeEnteredProject(project, {{"P", "00001"}}, {{"A", "00001"}});
        ScriptedResponder prompts;
        CCusporaDlg window(true);
        QVERIFY(window.startUp(QString::fromStdString(project)));
        window.show();
        child<QPushButton>(window, "markSheetButton")->click();
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, QStringLiteral("取り込みファイルが存在しません。"));
        QCOMPARE(prompts.messages[0].icon, MessageIcon::Error);
        child<QPushButton>(window, "receiptButton")->click();
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages[1].icon, MessageIcon::Information);
        QCOMPARE(window.listModel(0)->rowCount(), 1);
        QCOMPARE(window.listModel(1)->rowCount(), 1);
    }
};

QTEST_MAIN(HiddenCommandsTest)
#include "HiddenCommandsTest.moc"
