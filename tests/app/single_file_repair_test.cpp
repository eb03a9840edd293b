#include <QCheckBox>
#include <QDesktopServices>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QtTest>

#include "animation_view.h"
#include "app_strings.h"
#include "app_test_support.h"
#include "drag_edit.h"
#include "main_form.h"

namespace {

const QString kSeparator = QString(56, u'-');
const QRegularExpression kConsumedTime(
    QStringLiteral("^Consumed time: \\d+ hour\\(s\\) \\d+ minute\\(s\\) \\d+ second\\(s\\) \\d+ "
                   "millisecond\\(s\\)\\.$"));

// A table whose header lies about its size and whose records hold a date past
// the month's end: the repair rebuilds the header and mends the date.
QByteArray DamagedTable() {
  QByteArray table =
      BuildTable({{"NAME", 'C', 10}, {"BORN", 'D', 8}, {"PAID", 'L', 1}},
                 {"Ada       19991231T", "Grace     20240231F", "Linus     20000101?"});
  table[4] = 0;           // record count
  table[8] = char(0xFF);  // header length
  table[10] = 3;          // record length
  return table;
}

quint32 RecordCountOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  return qFromLittleEndian<quint32>(file.read(8).constData() + 4);
}

class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened << url; }
};

}  // namespace

class SingleFileRepairTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;
  QString FSource;
  QString FOutput;

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

  void init() {
    FSource = FDir.filePath(QStringLiteral("people.dbf"));
    FOutput = FDir.filePath(QStringLiteral("people_fixed.dbf"));
    QFile::remove(FOutput);
    WriteBytes(FSource, DamagedTable());
  }

  void RepairsADamagedTableAndLogsEveryStep() {
    ScopedConfigHome home;
    TMainForm form;
    MessageBoxAnswerer boxes;
    form.txtSrcFile->setText(FSource);
    QCOMPARE(form.txtDstFile->text(), FOutput);
    form.btnRepair->click();

    const QStringList log = form.RepairLogLines();
    const QStringList expected = {
        QStringLiteral("Start repair process ..."),
        kSeparator,
        QStringLiteral("File to be repaired: '%1'; File size = %2 bytes")
            .arg(FSource, QLocale().toString(DamagedTable().size())),
        QStringLiteral("Output fixed file as: '%1'").arg(FOutput),
        kSeparator,
        QStringLiteral("Analyzing the source file ..."),
        kSeparator,
        QStringLiteral("Write DBF header ..."),
        QStringLiteral("Add 3 records."),
        // The engine's mend report of the table
        QStringLiteral("Record area: start=129 stride=20 offset=1 announced=0 written=3 after=1"),
        QStringLiteral("0 records announced, 3 found"),
        QStringLiteral("BORN D: 1 date mended"),
        QStringLiteral("BORN D: date parts replaced: year 0, month 0, day 1"),
        kSeparator,
        QStringLiteral("<consumed time>"),
        kSeparator,
        QStringLiteral("Repair process completes."),
        kSeparator,
        QStringLiteral("File '%1' has been repaired successfully!").arg(FSource),
        QStringLiteral("Now you can open the fixed file '%1'.").arg(FOutput),
    };
    QCOMPARE(log.size(), expected.size());
    QVERIFY2(kConsumedTime.match(log[14]).hasMatch(), qPrintable(log[14]));
    QStringList compared = log;
    compared[14] = expected[14];
    QCOMPARE(compared, expected);

    QCOMPARE(form.Gauge->value(), 100);
    QCOMPARE(RecordCountOf(FOutput), 3u);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].caption, QStringLiteral("Information"));
    QCOMPARE(boxes.seen[0].text, expected[18] + u'\n' + expected[19]);
    QCOMPARE(form.btnRepair->text(), QStringLiteral("&Start Repair"));
    QVERIFY(!form.FRunning && !form.Animate->Active());
  }

  void AnsweringNoToOverwriteLeavesThreeLines() {
    ScopedConfigHome home;
    WriteBytes(FOutput, "keep me");
    TMainForm form;
    MessageBoxAnswerer boxes({QMessageBox::No});
    form.txtSrcFile->setText(FSource);
    form.btnRepair->click();
    QCOMPARE(form.RepairLogLines(),
             QStringList({QStringLiteral("Start repair process ..."), kSeparator,
                          QStringLiteral("Repair process is aborted.")}));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].caption, QStringLiteral("Confirm"));
    QCOMPARE(boxes.seen[0].text,
             QStringLiteral("A file named '%1' already exists. Overwrite it?").arg(FOutput));
    QFile kept(FOutput);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("keep me"));
    QCOMPARE(form.btnRepair->text(), QStringLiteral("&Start Repair"));
  }

  void AnsweringYesToOverwriteRepairsIntoTheFile() {
    ScopedConfigHome home;
    WriteBytes(FOutput, "old");
    TMainForm form;
    MessageBoxAnswerer boxes({QMessageBox::Yes});
    form.txtSrcFile->setText(FSource);
    form.btnRepair->click();
    QCOMPARE(boxes.seen.size(), 2);
    QCOMPARE(RecordCountOf(FOutput), 3u);
  }

  void StopClickedDuringTheRunAbortsIt() {
    ScopedConfigHome home;
    TMainForm form;
    MessageBoxAnswerer boxes;
    form.txtSrcFile->setText(FSource);
    QString captionDuringRun;
    QTimer::singleShot(0, &form, [&] {
      captionDuringRun = form.btnRepair->text();
      form.btnRepair->click();
    });
    form.btnRepair->click();
    QCOMPARE(captionDuringRun, QStringLiteral("&Stop Repair"));
    // Stopped among the descriptors: no output yet, and the log says so.
    const QStringList result = {
        QStringLiteral("User aborts the repair process"),
        QStringLiteral("The repair was stopped before it wrote any output.")};
    QCOMPARE(form.RepairLogLines().last(2), result);
    QVERIFY(!form.RepairLogLines().contains(QStringLiteral("Write DBF header ...")));
    QVERIFY(!QFile::exists(FOutput));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, result.join(u'\n'));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
    QCOMPARE(form.btnRepair->text(), QStringLiteral("&Start Repair"));
    QVERIFY(!form.FRunning);
  }

  void AFailedRunSaysSoAndFramesTheEngineError() {
    ScopedConfigHome home;
    TMainForm form;
    MessageBoxAnswerer boxes;
    const QString missing = FDir.filePath(QStringLiteral("missing.dbf"));
    form.txtSrcFile->setText(missing);
    form.btnRepair->click();
    const QStringList log = form.RepairLogLines();
    QCOMPARE(log[2], QStringLiteral("File to be repaired: '%1'; File size = 0 bytes").arg(missing));
    const qsizetype error = log.indexOf(
        QRegularExpression(QStringLiteral("Error 1: Cannot open the file to be repaired\\. .*")));
    QVERIFY(error > 0);
    QCOMPARE(log[error - 1], kSeparator);
    QCOMPARE(log[error + 1], kSeparator);
    QCOMPARE(log.last(), QStringLiteral("Fail to repair file '%1'!").arg(missing));
    QCOMPARE(boxes.seen.last().text, log.last());
    QCOMPARE(boxes.seen.last().icon, QMessageBox::Warning);
  }

  // The engine ends without a word when it finds no field list; the window
  // then gives the reason tessaly-cli gives.
  void AZeroedHeaderFailsWithTheReason() {
    ScopedConfigHome home;
    WriteBytes(FSource, QByteArray(600, '\0'));
    TMainForm form;
    MessageBoxAnswerer boxes;
    form.txtSrcFile->setText(FSource);
    form.btnRepair->click();
    const QStringList result = {
        QStringLiteral("Fail to repair file '%1'!").arg(FSource),
        QStringLiteral("'%1' holds no field list that can be recovered: it is shorter than a "
                       "table header, or none of its field descriptors is plausible")
            .arg(FSource)};
    QCOMPARE(form.RepairLogLines().last(2), result);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, result.join(u'\n'));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
  }

  void OpensTheFixedFileWhenAsked() {
    ScopedConfigHome home;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    TMainForm form;
    MessageBoxAnswerer boxes;
    form.chkOpenFixed->setChecked(true);
    form.txtSrcFile->setText(FSource);
    form.txtDstFile->setText(FDir.filePath(QStringLiteral("setup.EXE")));
    form.btnRepair->click();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.opened,
             QList<QUrl>({QUrl::fromLocalFile(FDir.filePath(QStringLiteral("setup.EXE")))}));
    QCOMPARE(form.RepairLogLines().last(),
             QStringLiteral("Now you can run the fixed self-extracting file '%1'.")
                 .arg(FDir.filePath(QStringLiteral("setup.EXE"))));
  }

  // -E ends the program with the outcome as its exit status: 0 for a repaired
  // table, 1 for a failed one or a file that is not there.
  void CommandLineRepairsTheFileAndEndsWithItsOutcome() {
    ScopedConfigHome home;
    MessageBoxAnswerer boxes;
    {
      TMainForm form({QStringLiteral("-e"), FSource});
      QVERIFY(form.EndRequested());
      QCOMPARE(form.CommandLineExitStatus(), 0);
      QCOMPARE(boxes.seen.size(), 1);
      QCOMPARE(RecordCountOf(FOutput), 3u);
    }
    const QString zeroed = FDir.filePath(QStringLiteral("zeroed.dbf"));
    WriteBytes(zeroed, QByteArray(600, '\0'));
    {
      TMainForm form({QStringLiteral("-E"), zeroed});
      QVERIFY(form.EndRequested());
      QCOMPARE(form.CommandLineExitStatus(), 1);
    }
    const QString missing = FDir.filePath(QStringLiteral("nothing.dbf"));
    {
      TMainForm form({QStringLiteral("-E"), missing});
      QVERIFY(form.EndRequested());
      QCOMPARE(form.CommandLineExitStatus(), 1);
      QCOMPARE(boxes.seen.last().caption, QStringLiteral("Error"));
      QCOMPARE(boxes.seen.last().icon, QMessageBox::Critical);
      QCOMPARE(boxes.seen.last().text, QStringLiteral("Cannot open file %1").arg(missing));
      QVERIFY(form.RepairLogLines().isEmpty());
    }
    TMainForm onlySwitches({QStringLiteral("-O"), QStringLiteral("-E")});
    QCOMPARE(boxes.seen.last().text, QStringLiteral("Cannot open file "));
  }

  void CommandLineWithAMissingFileAndNoEndShowsAnErrorAndStays() {
    ScopedConfigHome home;
    MessageBoxAnswerer boxes;
    TMainForm form({FDir.filePath(QStringLiteral("nothing.dbf"))});
    QVERIFY(!form.EndRequested());
    QVERIFY(form.isVisible());
    QCOMPARE(boxes.seen.size(), 1);
  }

  // The switch O decides whether this run opens its result; the option and
  // its stored value stay as the user set them.
  void CommandLineSwitchesApplyToTheirRunOnly() {
    ScopedConfigHome home;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    const auto unsetHandler =
        qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); });
    MessageBoxAnswerer boxes;
    for (const bool stored : {true, false}) {
      StoreSettings(home, {{QStringLiteral("OpenFixed"), stored ? "1" : "0"}});
      QFile::remove(FOutput);
      catcher.opened.clear();
      {
        QStringList arguments{QStringLiteral("-e"), FSource};
        if (!stored) arguments.prepend(QStringLiteral("-O"));
        TMainForm form(arguments);
        QCOMPARE(form.chkOpenFixed->isChecked(), stored);
      }
      QCOMPARE(catcher.opened.size(), stored ? 0 : 1);
      QCOMPARE(StoredSettings(home)[QStringLiteral("OpenFixed")],
               QJsonValue(stored ? QStringLiteral("1") : QStringLiteral("0")));
    }
  }

  // What a double click in the file manager runs: the file is filled in, nothing is
  // repaired, and the stored "open when finished" choice stays as it was.
  void OpenFillsInTheSourceWithoutRepairing() {
    ScopedConfigHome home;
    StoreSettings(home, QJsonObject{{QStringLiteral("OpenFixed"), QStringLiteral("1")}});
    MessageBoxAnswerer boxes;
    TMainForm form({QStringLiteral("--open"), FSource, QStringLiteral("-E")});
    QVERIFY(form.isVisible());
    QVERIFY(!form.EndRequested());
    QCOMPARE(form.txtSrcFile->text(), FSource);
    QCOMPARE(form.txtDstFile->text(), FOutput);
    QVERIFY(form.btnRepair->isEnabled());
    QVERIFY(form.chkOpenFixed->isChecked());
    QVERIFY(form.RepairLogLines().isEmpty());
    QVERIFY(!QFile::exists(FOutput));

    TMainForm menuLaunch({QStringLiteral("--open")});
    QVERIFY(menuLaunch.txtSrcFile->text().isEmpty());
    QVERIFY(boxes.seen.isEmpty());

    const QString missing = FDir.filePath(QStringLiteral("nothing.dbf"));
    TMainForm missingFile({QStringLiteral("--open"), missing});
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, QStringLiteral("Cannot open file %1").arg(missing));
    QVERIFY(missingFile.txtSrcFile->text().isEmpty());
  }

  // The engine answers 1 once it found fields, even when the output could not
  // be created: the window must not call that a success nor open the file.
  void AnOutputThatCannotBeCreatedIsAFailure() {
    ScopedConfigHome home;
    TMainForm form;
    form.chkOpenFixed->setChecked(true);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    MessageBoxAnswerer boxes;
    const QString output = FDir.filePath(QStringLiteral("missing/people_fixed.dbf"));
    form.txtSrcFile->setText(FSource);
    form.txtDstFile->setText(output);
    form.btnRepair->click();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    const QStringList log = form.RepairLogLines();
    QVERIFY(std::any_of(log.begin(), log.end(), [](const QString& line) {
      return line.startsWith(QStringLiteral("Error 4: Cannot create file."));
    }));
    QCOMPARE(log.last(), QStringLiteral("Fail to repair file '%1'!").arg(FSource));
    QCOMPARE(boxes.seen.last().text, log.last());
    QVERIFY(catcher.opened.isEmpty());
  }

  void ClosingDuringARunStopsItAndClosesAfterwards() {
    ScopedConfigHome home;
    TMainForm form;
    form.show();
    MessageBoxAnswerer boxes;
    form.txtSrcFile->setText(FSource);
    QTimer::singleShot(0, &form, [&] { form.close(); });
    form.btnRepair->click();
    QVERIFY(form.RepairLogLines().contains(QStringLiteral("User aborts the repair process")));
    QTRY_VERIFY(!form.isVisible());
  }
};

QTEST_MAIN(SingleFileRepairTest)
#include "single_file_repair_test.moc"
