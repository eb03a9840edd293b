#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app_test_support.h"
#include "logdlg/save_log_dialog.h"
#include "logdlg/save_repair_log.h"
#include "logdlg/setting_information.h"
#include "main_form.h"

namespace {

const QString kSeparator = QStringLiteral("--------------------------------------------------------");

CheckBoxDescription Box(const char* caption, bool checked) {
  return {QString::fromUtf8(caption), checked};
}

OptionControlsDescription DefaultOptions() {
  OptionControlsDescription options;
  options.openFixed = Box("Open the fixed file when finished", false);
  options.recoverDeleted = Box("Recover &deleted records", true);
  options.repairDate = Box("Repair incorrect da&te fields", true);
  options.splitTable = Box("Split table when there are more than", false);
  options.maxFieldCount = 300;
  options.fieldsCaption = QStringLiteral("fields");
  options.readSrcMemoFile = Box("Read source DBT/FPT file for the memo or binary data fields ", true);
  options.ignoreAllZeroSrcMemoFile = Box("Ignore source DBT/FPT file filled with all zeros", true);
  options.tempDirCaption = QStringLiteral("Directory for &temporary files:");
  options.tempDir = QStringLiteral("/tmp/");
  options.bufSizeCaption = QStringLiteral("Internal Processing Buffer &Size:");
  options.bufSize = 512;
  return options;
}

const QStringList kSettingBlock = {
    "Setting Information:",
    "Open the fixed file when finished: No",
    "Recover &deleted records: Yes",
    "Repair incorrect da&te fields: Yes",
    "Split table when there are more than: No",
    "Split table when there are more than 300 fields",
    "Read source DBT/FPT file for the memo or binary data fields : Yes",
    "Ignore source DBT/FPT file filled with all zeros: Yes",
    "Directory for &temporary files: /tmp/",
    "Internal Processing Buffer &Size: 512",
    kSeparator,
    "End of Setting Information",
    kSeparator,
};

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList FileLines(const QString& path) {
  QStringList lines = QString::fromUtf8(ReadAll(path)).split(QStringLiteral("\r\n"));
  if (lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// Closes the next modal box and tells what it showed.
struct ModalBoxWatch {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;

  void Arm() {
    QTimer::singleShot(0, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->close();
      }
    });
  }
};

}  // namespace

class SaveRepairLogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  const QStringList log_ = {QStringLiteral("Start repair process ..."), kSeparator,
                            QStringLiteral("Fichier réparé")};

 private slots:
  void WritesExactlyTheLogLinesWhenTheOptionIsOff() {
    const QString path = dir_.filePath(QStringLiteral("plain.log"));
    QVERIFY(SaveRepairLog(nullptr, SaveLogTarget{path, false}, log_, DefaultOptions()));
    QCOMPARE(ReadAll(path), QByteArray("Start repair process ...\r\n") + kSeparator.toUtf8() +
                                "\r\nFichier r\xc3\xa9par\xc3\xa9\r\n");
  }

  void WritesAnEmptyFileForAnEmptyLog() {
    const QString path = dir_.filePath(QStringLiteral("empty.log"));
    QVERIFY(SaveRepairLog(nullptr, SaveLogTarget{path, false}, SplitLogText(QString()),
                          DefaultOptions()));
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(ReadAll(path), QByteArray());
  }

  void WritesBothBlocksBeforeTheLogWhenTheOptionIsOn() {
    const QString path = dir_.filePath(QStringLiteral("full.log"));
    QVERIFY(SaveRepairLog(nullptr, SaveLogTarget{path, true}, log_, DefaultOptions()));
    const QStringList lines = FileLines(path);
    QCOMPARE(lines.first(), kSeparator);
    QCOMPARE(lines[1], QStringLiteral(" Version Information:"));
    const qsizetype settings = lines.indexOf(kSettingBlock.first());
    QCOMPARE(lines[settings - 2], QStringLiteral("End of System Information"));
    QCOMPARE(lines.mid(settings), kSettingBlock + log_);
    QVERIFY(!ReadAll(path).contains("\n\n"));  // every line ends in CR LF, never a bare LF
  }

  void WritesBothBlocksForAnEmptyLog() {
    const QString path = dir_.filePath(QStringLiteral("blocks-only.log"));
    QVERIFY(SaveRepairLog(nullptr, SaveLogTarget{path, true}, {}, DefaultOptions()));
    const QStringList lines = FileLines(path);
    QCOMPARE(lines.first(), kSeparator);
    QCOMPARE(lines.mid(lines.size() - kSettingBlock.size()), kSettingBlock);
    QVERIFY(ReadAll(path).endsWith(kSeparator.toUtf8() + "\r\n"));
  }

  void DescribesCheckBoxesWithTheirAmpersandsAndTrailingBlanks() {
    QCheckBox recover(QStringLiteral("Recover &deleted records"));
    recover.setChecked(true);
    QCheckBox memo(QStringLiteral("Read source DBT/FPT file for the memo or binary data fields "));
    QCOMPARE(CheckBoxStateText(DescribeCheckBox(recover)),
             QStringLiteral("Recover &deleted records: Yes"));
    QCOMPARE(CheckBoxStateText(DescribeCheckBox(memo)),
             QStringLiteral("Read source DBT/FPT file for the memo or binary data fields : No"));
  }

  void ReplacesAnExistingFileWhole() {
    const QString path = dir_.filePath(QStringLiteral("again.log"));
    QVERIFY(WriteLogFile(path, QStringList(QStringLiteral("a much longer first content"))));
    QVERIFY(WriteLogFile(path, QStringList(QStringLiteral("short"))));
    QCOMPARE(ReadAll(path), QByteArray("short\r\n"));
  }

  void ReportsAFileThatCannotBeCreatedAndWritesNothing() {
    const QString folder = dir_.filePath(QStringLiteral("a-folder.log"));
    QVERIFY(QDir().mkpath(folder));
    const QStringList targets = {dir_.filePath(QStringLiteral("missing/sub/x.log")), folder};
    for (const QString& target : targets) {
      ModalBoxWatch watch;
      watch.Arm();
      QVERIFY(!SaveRepairLog(nullptr, SaveLogTarget{target, true}, log_, DefaultOptions()));
      QCOMPARE(watch.title, QStringLiteral("Error"));
      QCOMPARE(watch.text, QStringLiteral("Cannot create file ") + target);
      QCOMPARE(watch.icon, QMessageBox::Critical);
    }
    QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("missing"))));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
  }

  void DoesNothingWhenTheDialogWasCancelled() {
    const qsizetype before = QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
    QVERIFY(!SaveRepairLog(nullptr, std::nullopt, log_, DefaultOptions()));
    QCOMPARE(QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), before);
  }

  // The log goes to whoever helps the user: values that may be secrets stay
  // behind; every name is listed, in the order of the environment.
  void ASavedLogHidesTheValuesOfSecretVariables() {
    ScopedConfigHome home;
    qputenv("TESSALY_TEST_API_TOKEN", "tok-123");
    qputenv("my_db_password", "pw-456");
    qputenv("TESSALY_TEST_SSH_KEY_PATH", "/home/u/.ssh/id");
    qputenv("TESSALY_TEST_PLAIN", "seen=1");
    TMainForm form;
    const QString path = dir_.filePath(QStringLiteral("secrets.log"));
    FileDialogAnswerer answer([&](QFileDialog* dialog) {
      dialog->setDirectory(dir_.path());
      dialog->selectFile(path);
      static_cast<QDialog*>(dialog)->accept();
    });
    form.btnSaveLog->click();
    QVERIFY(answer.Answered());
    QVERIFY(form.SaveLogDialog->IncludeSysInfo());

    const QStringList lines = FileLines(path);
    const qsizetype start = lines.indexOf(QStringLiteral("Environment Information:")) + 1;
    const QStringList environment = lines.mid(start, lines.indexOf(kSeparator, start) - start);
    for (const char* line : {"TESSALY_TEST_API_TOKEN=(hidden)", "my_db_password=(hidden)",
                             "TESSALY_TEST_SSH_KEY_PATH=(hidden)", "TESSALY_TEST_PLAIN=seen=1"})
      QVERIFY2(environment.contains(QString::fromLatin1(line)), line);
    const QByteArray saved = ReadAll(path);
    QVERIFY(!saved.contains("tok-123") && !saved.contains("pw-456") && !saved.contains(".ssh"));
    QStringList names, namesInLog;
    for (const QString& entry : QProcess::systemEnvironment()) names << entry.section(u'=', 0, 0);
    for (const QString& entry : environment) namesInLog << entry.section(u'=', 0, 0);
    QCOMPARE(namesInLog, names);
  }

  void SplitsTheLogTextIntoLines() {
    QCOMPARE(SplitLogText(QString()), QStringList());
    QCOMPARE(SplitLogText(QStringLiteral("one")), QStringList{"one"});
    QCOMPARE(SplitLogText(QStringLiteral("one\n\nthree\n")), (QStringList{"one", "", "three"}));
  }
};

QTEST_MAIN(SaveRepairLogTest)
#include "logdlg_save_repair_log_test.moc"
