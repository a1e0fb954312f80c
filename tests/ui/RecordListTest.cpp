#include "ui/main/MainWindowLayout.h"
#include "ui/main/RecordListModel.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QTest>

using namespace qdx;

namespace {

DentalRecord record(const std::string& key, const std::string& id, const std::string& kind,
                    const std::string& valid = "1") {
    DentalRecord r;
    r.Dental_ID = key;
    r.displayId = id;
    r.MATCH_KIND = MatchKind::fromStored(kind);
    r.valid = valid;
    return r;
}

} // namespace

class RecordListTest : public QObject {
    Q_OBJECT
private slots:
    void cellsShowClassPresentAndBridge() {
        DentalRecord r = record("7", "A-00001", "");
        r.classChart[0] = '5';
        r.presentChart[0] = '1';
        r.classChart[1] = '2';
        r.bridgeChart[1] = '1';
        r.classChart[31] = '4';
        RecordListModel list;
        QAbstractItemModelTester tester(&list,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.setRecords({r});
        QCOMPARE(list.rowCount(), 1);
        QCOMPARE(list.columnCount(), 35);
        QCOMPARE(list.cellText(0, 2), QStringLiteral("6 "));
        QCOMPARE(list.cellText(0, 3), QStringLiteral("2b"));
        QCOMPARE(list.cellText(0, 4), QStringLiteral("5 "));
        QCOMPARE(list.cellText(0, 33), QStringLiteral("4 "));
        QCOMPARE(list.cellText(0, 1), QStringLiteral("A-00001"));
        QCOMPARE(list.cellText(0, 34), QStringLiteral("7"));
        QCOMPARE(list.data(list.index(0, 5), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
    }

    void headersNameEveryTooth() {
        RecordListModel list;
        auto header = [&list](int section) {
            return list.headerData(section, Qt::Horizontal).toString();
        };
        QCOMPARE(header(0), QString());
        QCOMPARE(header(1), QStringLiteral("ID"));
        QCOMPARE(header(2), QStringLiteral("右上8"));
        QCOMPARE(header(9), QStringLiteral("右上1"));
        QCOMPARE(header(10), QStringLiteral("左上1"));
        QCOMPARE(header(17), QStringLiteral("左上8"));
        QCOMPARE(header(18), QStringLiteral("左下8"));
        QCOMPARE(header(25), QStringLiteral("左下1"));
        QCOMPARE(header(26), QStringLiteral("右下1"));
        QCOMPARE(header(33), QStringLiteral("右下8"));
        QCOMPARE(header(34), QStringLiteral("No."));
    }

    void marksAndColoursFollowTheMatchKind() {
        RecordListModel list;
        QAbstractItemModelTester tester(&list,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.setRecords({record("1", "A-1", "2"), record("2", "B-1", "3"), record("3", "C-1", ""),
                         record("4", "-00001", "4"), record("5", "D-1", "0")});
        QCOMPARE(list.markText(0), QStringLiteral("*"));
        QCOMPARE(list.data(list.index(0, 0), Qt::BackgroundRole).value<QColor>(),
                 QColor(221, 221, 221));
        QCOMPARE(list.markText(1), QStringLiteral("u"));
        QVERIFY(!list.data(list.index(1, 0), Qt::BackgroundRole).isValid());
        QCOMPARE(list.markText(2), QString());
        QCOMPARE(list.markText(3), QString());
        QCOMPARE(list.markText(4), QStringLiteral("*"));
        // The ID cell is pink when a hyphen follows its first character.
        QCOMPARE(list.data(list.index(0, 1), Qt::BackgroundRole).value<QColor>(),
                 QColor(255, 192, 203));
        QVERIFY(!list.data(list.index(3, 1), Qt::BackgroundRole).isValid());
    }

    void searchableCountAndSelectionKeys() {
        RecordListModel list;
        list.setRecords({record("9", "A-1", ""), record("10", "B-1", "1"),
                         record("10", "C-1", "3", "2"), record("3", "D-1", "", "3"),
                         record("4", "E-1", "4", "0")});
        // Identified records and those with valid above 2 are not searchable.
        QCOMPARE(list.searchableCount(), 3);
        // Keys compare as integers; on a tie the first row wins.
        QCOMPARE(list.rowOfHighestKey(), 1);
        QCOMPARE(list.rowOfKey(QStringLiteral("3")), 3);
        QCOMPARE(list.rowOfKey(QStringLiteral("77")), -1);
        list.clear();
        QCOMPARE(list.rowOfHighestKey(), -1);
        QCOMPARE(list.searchableCount(), 0);
    }

    void largeListsLoadPacked() {
        std::vector<DentalRecord> many(300000, record("1", "X-00001", ""));
        for (std::size_t i = 0; i < many.size(); ++i) {
            many[i].Dental_ID = std::to_string(i + 1);
        }
        RecordListModel list;
        list.setRecords(many);
        QCOMPARE(list.rowCount(), 300000);
        QCOMPARE(list.rowOfHighestKey(), 299999);
        QCOMPARE(list.cellText(123456, 34), QStringLiteral("123457"));
    }

    void layoutSplitsTheHeightBetweenBothLists() {
        const auto places = mainWindowLayout(1240, 760);
        const int h = (760 - 188) / 2;
        QCOMPARE(places.at("postMortemList").size, QSize(1215, h));
        QCOMPARE(places.at("anteMortemList").position, QPoint(12, h + 93));
        QCOMPARE(places.at("exitButton").position, QPoint(1240 - 118, 760 - 56));
        QCOMPARE(places.at("anteMortemNewButton").position, QPoint(12, 760 - 90));
        QCOMPARE(places.at("anteMortemLegend").position, QPoint(1240 - 582, 2 * h + 99));
        // An odd remainder is dropped, as integer division does.
        QCOMPARE(mainWindowLayout(1240, 761).at("postMortemList").size.height(), h);
    }
};

QTEST_MAIN(RecordListTest)
#include "RecordListTest.moc"
