// The viewer's model: every test table reads as tessaly-cli show prints it, and
// after a repair each cell is compared with the source bytes it came from.
#include "viewer/record_table_model.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "app_test_support.h"
#include "code_page.h"
#include "engine_binding.h"
#include "engine_table.h"

namespace {

constexpr int kProcessTimeoutMs = 60000;
// A memo cell shows the first line of the memo, show the first bytes of the memo:
// they agree on this many characters.
constexpr int kMemoPrefix = 20;

QStringList FixtureTables() {
  QStringList tables;
  QDirIterator it(QStringLiteral(TESSALY_FIXTURES_DIR),
                  {QStringLiteral("*.dbf"), QStringLiteral("*.DBF")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) tables << it.next();
  tables.sort();
  return tables;
}

QByteArray RunCli(const QStringList& arguments) {
  QProcess cli;
  cli.start(QStringLiteral(TESSALY_CLI_PATH), arguments);
  if (!cli.waitForFinished(kProcessTimeoutMs)) cli.kill();
  return cli.exitCode() == 0 ? cli.readAllStandardOutput() : QByteArray();
}

// The lines after "Records:" in the code page the model reads the table in.
QStringList ShownRecordLines(const QString& table, uint32_t codePage) {
  const QList<QByteArray> lines = RunCli({QStringLiteral("show"), table}).split('\n');
  const qsizetype records = lines.indexOf("Records:");
  tessaly_common::CodePageConverter converter(codePage);
  QStringList shown;
  for (qsizetype i = records + 1; records >= 0 && i < lines.size(); ++i)
    if (!lines[i].isEmpty())
      shown << QString::fromStdString(converter.ToUtf8(lines[i].toStdString()));
  return shown;
}

// A line of show's columns: each cell as the model gives it, columns at least
// two blanks apart. An empty cell is blanks between its neighbours, and those
// blanks are matched once: a pattern with a run of them would backtrack for long.
QRegularExpression ShownLine(const QStringList& cells, const QList<bool>& memo) {
  QStringList patterns;
  for (qsizetype i = 0; i < cells.size(); ++i) {
    if (cells[i].isEmpty()) continue;
    patterns << (memo.value(i) ? QRegularExpression::escape(cells[i].left(kMemoPrefix)) +
                                     QStringLiteral(".*?")
                               : QRegularExpression::escape(cells[i]));
  }
  return QRegularExpression(QStringLiteral("^ *") + patterns.join(QStringLiteral("  +")) + u'$');
}

int32_t CollectReport(int32_t code, void* data, void* userData) {
  if (code == EVT_MEND_REPORT)
    static_cast<QStringList*>(userData)->append(QString::fromUtf8(static_cast<char*>(data)));
  return 0;
}

RepairReport Repair(const QString& source, const QString& output, uint32_t flags) {
  QStringList lines;
  CallRepairEngine(QFile::encodeName(source).constData(), 0, MendrelPackOptions(flags, 0, 255),
                   QFile::encodeName(output).constData(), CollectReport, &lines);
  return {source, lines};
}

// NAME C10, BORN D8, QTY N5: a sound record, a day past the month's end and a
// number with a letter, a deleted record, and a last record cut short.
QByteArray DamagedTable() {
  QByteArray table = BuildTable({{"NAME", 'C', 10}, {"BORN", 'D', 8}, {"QTY", 'N', 5}},
                                {"Ada       19991231   12", "Grace     20240231  1x5",
                                 "Linus     20000101    7", "Mary      20010101    9"});
  const int headerLength = 32 + 3 * 32 + 1;
  const int recordLength = 1 + 10 + 8 + 5;
  table[headerLength + 2 * recordLength] = '*';
  table.chop(1 + 9);  // the end mark, the rest of BORN and QTY of the last record
  return table;
}

QList<QPoint> MendedCells(const TRecordTableModel& model) {
  QList<QPoint> mended;
  for (int row = 0; row < model.rowCount(); ++row)
    for (int column = 0; column < model.columnCount(); ++column)
      if (model.index(row, column).data(TRecordTableModel::MendedRole).toBool())
        mended << QPoint(column, row);
  return mended;
}

}  // namespace

class RecordTableModelTest : public QObject {
  Q_OBJECT

 private slots:
  void ReadsEveryTestTableAsTessalyCliShowsIt() {
    const QStringList tables = FixtureTables();
    QVERIFY(!tables.isEmpty());
    for (const QString& path : tables) {
      TRecordTableModel model(path);
      QList<bool> memo{false, false};
      QStringList titles{QStringLiteral("#"), QStringLiteral("Del")};
      for (int column = 0; column < model.columnCount(); ++column) {
        titles << model.headerData(column, Qt::Horizontal).toString();
        memo << (model.Table().Fields()[column].isMemo != 0);
      }
      const QStringList shown = ShownRecordLines(path, model.CodePage());
      QCOMPARE(shown.size(), model.rowCount() + 1);
      QVERIFY2(ShownLine(titles, {}).match(shown[0]).hasMatch(),
               qPrintable(path + u'\n' + shown[0]));
      for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells{QString::number(row + 1),
                          model.IsDeleted(row) ? QStringLiteral("*") : QString()};
        for (int column = 0; column < model.columnCount(); ++column)
          cells << model.index(row, column).data().toString();
        QVERIFY2(ShownLine(cells, memo).match(shown[row + 1]).hasMatch(),
                 qPrintable(path + u'\n' + shown[row + 1] + u'\n' + cells.join(u'|')));
      }
    }
  }

  void MarksTheCellsWhoseBytesDifferFromTheSource() {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("people.dbf"));
    const QString output = dir.filePath(QStringLiteral("people_fixed.dbf"));
    WriteBytes(source, DamagedTable());
    const RepairReport report =
        Repair(source, output, MENDREL_OPT_RECOVER_DELETED | MENDREL_OPT_REPAIR_DATE);
    QVERIFY2(report.lines.value(0).startsWith(QStringLiteral("Record area: ")),
             qPrintable(report.lines.join(u'\n')));

    TRecordTableModel model(output, report);
    QVERIFY(model.ComparesWithSource());
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(MendedCells(model), QList<QPoint>({{1, 1}, {2, 1}, {1, 3}, {2, 3}}));
    QCOMPARE(model.index(1, 1).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Before the repair: \"20240231\"\nBytes: 32 30 32 34 30 32 33 31"));
    QCOMPARE(model.index(1, 2).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Before the repair: \"  1x5\"\nBytes: 20 20 31 78 35"));
    QCOMPARE(model.index(3, 1).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Before the repair: \"2001\"\nBytes: 32 30 30 31\n"
                            "The source ends after 4 of these 8 bytes."));
    QCOMPARE(model.index(3, 2).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Before the repair: the source ended before this value."));
    QVERIFY(model.index(1, 1).data(Qt::BackgroundRole).isValid());
    QVERIFY(!model.index(0, 1).data(Qt::BackgroundRole).isValid());
    // The deleted record, written as live, carries its old flag in the row header.
    QVERIFY(!model.IsDeleted(2));
    QCOMPARE(model.headerData(2, Qt::Vertical, Qt::ToolTipRole).toString(),
             QStringLiteral("Before the repair the deletion flag was \"*\" (2A)."));
    QVERIFY(!model.headerData(1, Qt::Vertical, Qt::ToolTipRole).isValid());

    // The same table opened on its own, or with a report of another table, marks nothing.
    QVERIFY(MendedCells(TRecordTableModel(output)).isEmpty());
    RepairReport other = report;
    other.lines[0].replace(QStringLiteral("written=4"), QStringLiteral("written=5"));
    TRecordTableModel mismatched(output, other);
    QVERIFY(!mismatched.ComparesWithSource());
    QVERIFY(MendedCells(mismatched).isEmpty());
  }

  void ShowsDeletedRecordsMarkedAndMemosByTheirFirstLine() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.dbf"));
    QByteArray table =
        BuildTable({{"NAME", 'C', 6}, {"NOTE", 'M', 10}}, {"alpha          1", "beta           2"});
    table[0] = char(0x83);
    table[32 + 2 * 32 + 1 + 17] = '*';
    WriteBytes(path, table);
    QByteArray memo(512, '\0');
    memo[0] = 3;  // the next free block
    memo += QByteArray("\r\n  \r\nfirst line\r\nsecond line\x1a\x1a").leftJustified(512, '\0');
    memo += QByteArray("one\x1a\x1a").leftJustified(512, '\0');
    WriteBytes(dir.filePath(QStringLiteral("notes.dbt")), memo);

    TRecordTableModel model(path);
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("first line"));
    QCOMPARE(model.index(0, 1).data(TRecordTableModel::WholeTextRole).toString(),
             QStringLiteral("\n  \nfirst line\nsecond line"));
    QCOMPARE(model.SearchTexts(0).value(1), QStringLiteral("\n  \nfirst line\nsecond line"));
    QVERIFY(!model.IsDeleted(0));
    QVERIFY(model.IsDeleted(1));
    QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QStringLiteral("2 *"));
    QCOMPARE(model.headerData(1, Qt::Vertical, Qt::ToolTipRole).toString(),
             QStringLiteral("Record 2 is marked as deleted"));
  }
};

QTEST_MAIN(RecordTableModelTest)
#include "record_table_model_test.moc"
