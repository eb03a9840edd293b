#include "path_functions.h"

#include <QTemporaryDir>
#include <QtTest>

#include "app_test_support.h"
#include "dialog_filter.h"

class PathFunctionsTest : public QObject {
  Q_OBJECT

 private slots:
  void MakesFixedFileName_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("fixed");
    QTest::newRow("extension") << "/data/sales.dbf"
                               << "/data/sales_fixed.dbf";
    QTest::newRow("no extension") << "/data/sales"
                                  << "/data/sales_fixed";
    QTest::newRow("dot in a folder name") << "/old.files/sales"
                                          << "/old.files/sales_fixed";
    QTest::newRow("last dot counts") << "/data/a.b.DBF"
                                     << "/data/a.b_fixed.DBF";
    QTest::newRow("trailing dot") << "/data/sales."
                                  << "/data/sales_fixed.";
    QTest::newRow("hidden file") << "/data/.dbf"
                                 << "/data/_fixed.dbf";
    QTest::newRow("bare name") << "sales.dbf"
                               << "sales_fixed.dbf";
  }
  void MakesFixedFileName() {
    QFETCH(QString, source);
    QFETCH(QString, fixed);
    QCOMPARE(MakeFixedFileName(source), fixed);
  }

  void ComparesExtensionsIgnoringCase() {
    QVERIFY(HasExtension(QStringLiteral("/x/setup.exe"), QStringLiteral(".EXE")));
    QVERIFY(HasExtension(QStringLiteral("/x/SETUP.Exe"), QStringLiteral(".EXE")));
    QVERIFY(!HasExtension(QStringLiteral("/x/setup.exe.dbf"), QStringLiteral(".EXE")));
    QVERIFY(!HasExtension(QStringLiteral("/x.exe/setup"), QStringLiteral(".EXE")));
  }

  void TakesFileSizeFromTheDirectoryEntry() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.dbf"));
    WriteBytes(path, QByteArray(1234, 'x'));
    QCOMPARE(GetFileSize64(path), qint64(1234));
    QCOMPARE(GetFileSize64(dir.filePath(QStringLiteral("missing.dbf"))), qint64(0));
    QCOMPARE(GetFileSize64(dir.path()), qint64(0));
    QCOMPARE(GetFileSize64(QString()), qint64(0));
  }

  void ReadsTheExtensionOfAFilterEntry() {
    const QString filter = QStringLiteral("DBF files (*.dbf)|*.dbf|All files (*.*)|*.*");
    QCOMPARE(FilterExtension(filter, 1), QStringLiteral("dbf"));
    QCOMPARE(FilterExtension(filter, 2), QStringLiteral("*"));
    QCOMPARE(FilterExtension(filter, 3), QString());
    QCOMPARE(FilterExtension(filter, 0), QString());
    QCOMPARE(FilterExtension(QStringLiteral("Tables|*.dbf;*.dbt"), 1), QStringLiteral("dbf"));
  }

  void TurnsFiltersIntoDialogNameFilters() {
    QCOMPARE(DialogNameFilters(QStringLiteral("DBF files (*.dbf)|*.dbf|All files (*.*)|*.*")),
             QStringList({QStringLiteral("DBF files (*.dbf)"), QStringLiteral("All files (*)")}));
    QCOMPARE(DialogNameFilters(QStringLiteral("Tables|*.dbf;*.DBF")),
             QStringList({QStringLiteral("Tables (*.dbf *.DBF)")}));
  }
};

QTEST_GUILESS_MAIN(PathFunctionsTest)
#include "path_functions_test.moc"
