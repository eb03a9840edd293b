#include "app_strings.h"

#include <QLocale>
#include <QtTest>

#include "elapsed_time.h"

class AppStringsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

  void FillsTheSlotsAndGroupsCountsAsTheCliDoes() {
    QCOMPARE(
        AppString(StrId::FileToBeRepaired).arg(QStringLiteral("/d/%2.dbf"), GroupedNumber(1234567)),
        QStringLiteral("File to be repaired: '/d/%2.dbf'; File size = 1,234,567 bytes"));
    // The C locale leaves digits plain; the log groups them all the same.
    QLocale::setDefault(QLocale::c());
    QCOMPARE(GroupedNumber(1234567), QStringLiteral("1,234,567"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  }

  void EveryEntryHasText() {
    QCOMPARE(AppString(StrId::SeparatorLine), QString(56, u'-'));
    QCOMPARE(AppString(StrId::ReadSourceMemoFile).back(), u' ');
    QVERIFY(AppString(static_cast<StrId>(99999)).isEmpty());
  }

  void WritesTheConsumedTimeLine_data() {
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("line");
    QTest::newRow("1 min 5.042 s")
        << qint64(65042) << "Consumed time: 0 hour(s) 1 minute(s) 5 second(s) 42 millisecond(s).";
    QTest::newRow("nothing")
        << qint64(0) << "Consumed time: 0 hour(s) 0 minute(s) 0 second(s) 0 millisecond(s).";
    QTest::newRow("whole days dropped")
        << qint64((25 * 3600 + 2) * 1000 + 7)
        << "Consumed time: 1 hour(s) 0 minute(s) 2 second(s) 7 millisecond(s).";
  }
  void WritesTheConsumedTimeLine() {
    QFETCH(qint64, ms);
    QFETCH(QString, line);
    QCOMPARE(FormatElapsedTime(AppString(StrId::ConsumedTimeMask), ms), line);
  }

  void PadsDoubledSpecifiers() {
    QCOMPARE(FormatElapsedTime(QStringLiteral("hh:nn:ss.zzz"), 65042),
             QStringLiteral("00:01:05.042"));
    QCOMPARE(FormatElapsedTime(QStringLiteral("'h' h"), 3600000), QStringLiteral("h 1"));
  }
};

QTEST_GUILESS_MAIN(AppStringsTest)
#include "app_strings_test.moc"
