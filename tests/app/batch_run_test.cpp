#include <fcntl.h>
#include <unistd.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QtTest>

#include "animation_view.h"
#include "batch_test_support.h"
#include "drag_edit.h"
#include "logdlg/save_log_dialog.h"
#include "main_form.h"

namespace {

const QString kNotRepaired = QStringLiteral("Not Repaired");
const QString kSuccessful = QStringLiteral("Successful");
const QString kFailed = QStringLiteral("Failed");
const QString kAborted = QStringLiteral("Aborted");

constexpr int kHeaderLength = 32 + 2 * 32 + 1;
constexpr int kRecordLength = 1 + 10 + 1;

QByteArray PeopleTable() {
  return BuildTable({{"NAME", 'C', 10}, {"PAID", 'L', 1}},
                    {"Ada       T", "Grace     F", "Linus     T"});
}

// The second record is marked deleted.
QByteArray TableWithDeletedRecord() {
  QByteArray table = PeopleTable();
  table[kHeaderLength + kRecordLength] = '*';
  return table;
}

QByteArray LargeTable(int records) {
  QList<QByteArray> rows;
  for (int i = 0; i < records; ++i) rows << QByteArray::number(i).leftJustified(10, ' ') + 'T';
  return BuildTable({{"NAME", 'C', 10}, {"PAID", 'L', 1}}, rows);
}

char RecordFlagOf(const QString& path, int record) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  const QByteArray bytes = file.readAll();
  const int offset = kHeaderLength + record * kRecordLength;
  return offset < bytes.size() ? bytes[offset] : char(0);
}

QByteArray ContentOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Summary(int repaired, int failed = 0, int aborted = 0, int notProcessed = 0) {
  return QStringLiteral("%1 file(s) repaired successfully\n%2 failed, %3 aborted, %4 not processed")
      .arg(repaired)
      .arg(failed)
      .arg(aborted)
      .arg(notProcessed);
}

// The log lines an entry shows when it alone is selected.
QStringList EntryLog(TMainForm& form, int row) {
  form.FileList->clearSelection();
  form.FileList->topLevelItem(row)->setSelected(true);
  return form.RepairLogLines();
}

// A lock that keeps the engine from opening the file, as another program's would.
class ForeignWriteLock {
 public:
  explicit ForeignWriteLock(const QString& path)
      : FDescriptor(open(QFile::encodeName(path).constData(), O_RDWR)) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    FHeld = FDescriptor >= 0 && fcntl(FDescriptor, F_OFD_SETLK, &lock) == 0;
  }
  ~ForeignWriteLock() {
    if (FDescriptor >= 0) close(FDescriptor);
  }
  bool Held() const { return FHeld; }

 private:
  int FDescriptor;
  bool FHeld = false;
};

}  // namespace

class BatchRunTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> FDir;
  std::unique_ptr<ScopedConfigHome> FHome;

  QString Path(const QString& name) const { return FDir->filePath(name); }
  QString Fixed(const QString& name) const {
    return Path(QString(name).replace(QStringLiteral(".dbf"), QStringLiteral("_fixed.dbf")));
  }

  // Tables named a.dbf, b.dbf ... listed in that order.
  QStringList ListTables(TMainForm& form, int count, const QByteArray& table = PeopleTable()) {
    QStringList names;
    for (int i = 0; i < count; ++i) {
      const QString name = QString(QChar(u'a' + i)) + QStringLiteral(".dbf");
      WriteBytes(Path(name), table);
      form.AddBatchFile(Path(name));
      names << name;
    }
    return names;
  }

 private slots:
  void init() {
    FDir = std::make_unique<QTemporaryDir>();
    FHome = std::make_unique<ScopedConfigHome>();
  }
  void cleanup() {
    FHome.reset();
    FDir.reset();
  }

  void RepairsEveryEntryAndCountsTheSuccessfulOnes() {
    TMainForm form;
    const QStringList names = ListTables(form, 5);
    WriteBytes(Path(names[2]), "not a table");
    form.AppendLog(QStringLiteral("line of an earlier run"));
    MessageBoxAnswerer boxes;
    QString captionAtSummary;
    QStringList logAtSummary;
    bool animatedAtSummary = false;
    boxes.onBox = [&](const SeenBox&) {
      captionAtSummary = form.btnRepairFiles->text();
      logAtSummary = form.RepairLogLines();
      animatedAtSummary = form.Animate->Active();
    };
    form.btnRepairFiles->click();

    QCOMPARE(BatchColumn(form.FileList, 2),
             QStringList({kSuccessful, kSuccessful, kFailed, kSuccessful, kSuccessful}));
    QStringList targets;
    for (const QString& name : names) targets << Fixed(name);
    QCOMPARE(BatchColumn(form.FileList, 1), targets);
    for (int i : {0, 1, 3, 4}) QCOMPARE(RecordCountOf(targets[i]), 3u);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].caption, QStringLiteral("Information"));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
    QCOMPARE(boxes.seen[0].text, Summary(4, 1));
    // The lines of this run only, which stay once it is over.
    QCOMPARE(captionAtSummary, QStringLiteral("&Stop Repair"));
    QVERIFY(animatedAtSummary);  // through every entry, until the run ends
    QVERIFY(!logAtSummary.contains(QStringLiteral("line of an earlier run")));
    QCOMPARE(logAtSummary.count(QStringLiteral("Add 3 records.")), 4);
    QCOMPARE(form.RepairLogLines(), logAtSummary);
    QCOMPARE(form.btnRepairFiles->text(), QStringLiteral("&Start Repair"));

    // Each entry keeps its own lines, and the failed one says why it failed.
    const QStringList first = EntryLog(form, 0);
    QCOMPARE(first.first(), QStringLiteral("Start repair process ..."));
    QCOMPARE(first[2], QStringLiteral("File to be repaired: '%1'; File size = %2 bytes")
                           .arg(Path(names[0]))
                           .arg(PeopleTable().size()));
    QCOMPARE(first.count(QStringLiteral("Add 3 records.")), 1);
    // The engine's mend report follows the record count, in the entry's own lines.
    const qsizetype added = first.indexOf(QStringLiteral("Add 3 records."));
    QCOMPARE(first.mid(added + 1, 2),
             QStringList({QStringLiteral("Record area: start=97 stride=12 offset=1 announced=3 "
                                         "written=3 after=1"),
                          QStringLiteral("3 records announced, 3 found")}));
    QCOMPARE(EntryLog(form, 2).last(2),
             QStringList({QStringLiteral("Fail to repair file '%1'!").arg(Path(names[2])),
                          QStringLiteral("'%1' holds no field list that can be recovered: it is "
                                         "shorter than a table header, or none of its field "
                                         "descriptors is plausible")
                              .arg(Path(names[2]))}));
    form.FileList->clearSelection();
    QCOMPARE(form.RepairLogLines(), logAtSummary);
    // The log shows what Save Log would write: nothing once the entries are gone.
    form.btnRemoveAll->click();
    QVERIFY(form.RepairLogLines().isEmpty());
    QVERIFY(!form.FRunning && !form.Animate->Active());
  }

  void AnEmptyListStartsNothing() {
    TMainForm form;
    form.AppendLog(QStringLiteral("kept"));
    MessageBoxAnswerer boxes;
    form.btnRepairFiles->click();
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].caption, QStringLiteral("Information"));
    QCOMPARE(boxes.seen[0].text, QStringLiteral("Please add files to the list first"));
    QCOMPARE(form.RepairLogLines(), QStringList(QStringLiteral("kept")));
    QVERIFY(!form.FRunning);
  }

  void YesAndNoDecideForOneExistingTargetEach() {
    TMainForm form;
    const QStringList names = ListTables(form, 2);
    WriteBytes(Fixed(names[0]), "old");
    WriteBytes(Fixed(names[1]), "old");
    MessageBoxAnswerer boxes;
    OverwriteAnswerer questions({OverwriteAnswer::No, OverwriteAnswer::Yes});
    form.btnRepairFiles->click();
    QCOMPARE(questions.questions,
             QStringList({QStringLiteral("A file named 'a_fixed.dbf' already exists. Overwrite it?"),
                          QStringLiteral("A file named 'b_fixed.dbf' already exists. Overwrite it?")}));
    QCOMPARE(BatchColumn(form.FileList, 2), QStringList({kNotRepaired, kSuccessful}));
    QCOMPARE(BatchColumn(form.FileList, 1), QStringList({Fixed(names[0]), Fixed(names[1])}));
    QCOMPARE(ContentOf(Fixed(names[0])), QByteArray("old"));
    QCOMPARE(RecordCountOf(Fixed(names[1])), 3u);
    QCOMPARE(boxes.seen.last().text, Summary(1, 0, 0, 1));
    QCOMPARE(EntryLog(form, 0), QStringList({QStringLiteral("Start repair process ..."),
                                             QString(56, u'-'),
                                             QStringLiteral("Repair process is aborted.")}));
  }

  void NoToAllSkipsLaterExistingTargetsUntilTheNextRun() {
    TMainForm form;
    const QStringList names = ListTables(form, 4);
    for (int i : {0, 1, 3}) WriteBytes(Fixed(names[i]), "old");
    MessageBoxAnswerer boxes;
    OverwriteAnswerer questions({OverwriteAnswer::NoToAll, OverwriteAnswer::YesToAll});
    form.btnRepairFiles->click();
    QCOMPARE(questions.questions.size(), 1);
    QCOMPARE(BatchColumn(form.FileList, 2),
             QStringList({kNotRepaired, kNotRepaired, kSuccessful, kNotRepaired}));
    for (int i : {0, 1, 3}) QCOMPARE(ContentOf(Fixed(names[i])), QByteArray("old"));
    QCOMPARE(boxes.seen.last().text, Summary(1, 0, 0, 3));

    // The next run asks again and processes every entry, the successful one too.
    form.btnRepairFiles->click();
    QCOMPARE(questions.questions.size(), 2);
    QCOMPARE(BatchColumn(form.FileList, 2),
             QStringList({kSuccessful, kSuccessful, kSuccessful, kSuccessful}));
    for (const QString& name : names) QCOMPARE(RecordCountOf(Fixed(name)), 3u);
    QCOMPARE(boxes.seen.last().text, Summary(4));
  }

  // The engine answers 1 once it found fields, even when another program
  // keeps it from writing the target: that entry failed.
  void ATargetThatCannotBeWrittenFails() {
    TMainForm form;
    const QStringList names = ListTables(form, 3);
    WriteBytes(Fixed(names[1]), "old");
    ForeignWriteLock lock(Fixed(names[1]));
    QVERIFY(lock.Held());
    MessageBoxAnswerer boxes;
    OverwriteAnswerer questions({OverwriteAnswer::Yes});
    form.btnRepairFiles->click();
    QCOMPARE(BatchColumn(form.FileList, 2), QStringList({kSuccessful, kFailed, kSuccessful}));
    QCOMPARE(boxes.seen.last().text, Summary(2, 1));
  }

  void CancelEndsTheBatchAndStillShowsTheSummary() {
    TMainForm form;
    const QStringList names = ListTables(form, 3);
    WriteBytes(Fixed(names[1]), "old");
    MessageBoxAnswerer boxes;
    OverwriteAnswerer questions({OverwriteAnswer::Cancel});
    form.btnRepairFiles->click();
    QCOMPARE(BatchColumn(form.FileList, 2), QStringList({kSuccessful, kNotRepaired, kNotRepaired}));
    QCOMPARE(BatchColumn(form.FileList, 1), QStringList({Fixed(names[0]), Fixed(names[1]), QString()}));
    QVERIFY(!QFile::exists(Fixed(names[2])));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, Summary(1, 0, 0, 2));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Information);
    QCOMPARE(form.btnRepairFiles->text(), QStringLiteral("&Start Repair"));
  }

  // The source of the third entry is held by another program: the engine
  // shows a notice, during which the user asks to stop with the start button
  // of the other page, which says so although its path boxes are empty; the
  // engine then returns failure.
  void StopDuringAFailingThirdFileMarksItAborted() {
    TMainForm form;
    const QStringList names = ListTables(form, 5);
    ForeignWriteLock lock(Path(names[2]));
    QVERIFY(lock.Held());
    MessageBoxAnswerer boxes;
    QString singleCaption;
    boxes.onBox = [&](const SeenBox& box) {
      if (!box.text.startsWith(QStringLiteral("Share violation"))) return;
      singleCaption = form.btnRepair->text();
      form.btnRepair->click();
    };
    form.btnRepairFiles->click();
    QCOMPARE(BatchColumn(form.FileList, 2),
             QStringList({kSuccessful, kSuccessful, kAborted, kNotRepaired, kNotRepaired}));
    QCOMPARE(BatchColumn(form.FileList, 1),
             QStringList({Fixed(names[0]), Fixed(names[1]), Fixed(names[2]), QString(), QString()}));
    QVERIFY(!QFile::exists(Fixed(names[3])));
    QCOMPARE(singleCaption, QStringLiteral("&Stop Repair"));
    QCOMPARE(boxes.seen.last().text, Summary(2, 0, 1, 2));
    QCOMPARE(boxes.seen.last().icon, QMessageBox::Warning);
    QCOMPARE(form.btnRepair->text(), QStringLiteral("&Start Repair"));
    QVERIFY(!form.btnRepair->isEnabled());
    QVERIFY(!form.FRunning);
  }

  // A stop among the records of the third file (its header is written): the
  // engine keeps the records copied so far and returns success, yet the entry
  // was stopped, and its log says where its partial output lies.
  void StopDuringALongThirdFileMarksItAbortedAndNamesItsPartialOutput() {
    constexpr int kRecords = 60000;
    TMainForm form;
    const QStringList names = ListTables(form, 5);
    WriteBytes(Path(names[2]), LargeTable(kRecords));
    MessageBoxAnswerer boxes;
    // The stop is asked from inside the engine's own header line, so it falls
    // among the records however fast the machine copies them.
    bool stopAsked = false;
    connect(form.txtRepairLog->document(), &QTextDocument::contentsChanged, &form, [&] {
      if (stopAsked) return;
      if (form.RepairLogLines().count(QStringLiteral("Write DBF header ...")) < 3) return;
      stopAsked = true;
      form.btnRepairFiles->click();
    });
    form.btnRepairFiles->click();
    QVERIFY(stopAsked);
    QCOMPARE(BatchColumn(form.FileList, 2),
             QStringList({kSuccessful, kSuccessful, kAborted, kNotRepaired, kNotRepaired}));
    const quint32 kept = RecordCountOf(Fixed(names[2]));
    QVERIFY(kept < quint32(kRecords));
    QVERIFY(!QFile::exists(Fixed(names[3])));
    QCOMPARE(boxes.seen.last().text, Summary(2, 0, 1, 2));
    QCOMPARE(boxes.seen.last().icon, QMessageBox::Warning);
    QCOMPARE(EntryLog(form, 2).last(2),
             QStringList({QStringLiteral("User aborts the repair process"),
                          QStringLiteral("The partial output '%1' holds %2 record(s).")
                              .arg(Fixed(names[2]))
                              .arg(kept)}));
    QVERIFY(EntryLog(form, 3).isEmpty());

    // A saved log holds every entry's lines, in list order, whatever is selected.
    QStringList all;
    for (int row = 0; row < 5; ++row) all += EntryLog(form, row);
    EntryLog(form, 1);
    const QString saved = FDir->filePath(QStringLiteral("batch.log"));
    FileDialogAnswerer answer([&](QFileDialog* dialog) {
      form.SaveLogDialog->SetIncludeSysInfo(false);
      dialog->setDirectory(FDir->path());
      dialog->selectFile(saved);
      static_cast<QDialog*>(dialog)->accept();
    });
    form.btnSaveLog->click();
    QVERIFY(answer.Answered());
    QCOMPARE(ContentOf(saved), (all.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLocal8Bit());
    QCOMPARE(ContentOf(saved).count("3 records announced, 3 found\r\n"), 2);
  }

  void EntriesRemovedOrAddedDuringARunAreLeftAlone() {
    TMainForm form;
    const QStringList names = ListTables(form, 5);
    WriteBytes(Path(QStringLiteral("late.dbf")), PeopleTable());
    MessageBoxAnswerer boxes;
    // The first event pass of the run falls inside the first file.
    QTimer::singleShot(0, &form, [&] {
      for (int row : {0, 1, 3}) form.FileList->topLevelItem(row)->setSelected(true);
      form.btnRemoveFiles->click();
      form.AddBatchFile(Path(QStringLiteral("late.dbf")));
    });
    form.btnRepairFiles->click();
    QCOMPARE(BatchColumn(form.FileList, 0),
             QStringList({Path(names[2]), Path(names[4]), Path(QStringLiteral("late.dbf"))}));
    QCOMPARE(BatchColumn(form.FileList, 2), QStringList({kSuccessful, kSuccessful, kNotRepaired}));
    QCOMPARE(BatchColumn(form.FileList, 1), QStringList({Fixed(names[2]), Fixed(names[4]), QString()}));
    QVERIFY(!QFile::exists(Fixed(names[1])) && !QFile::exists(Fixed(names[3])));
    QVERIFY(!QFile::exists(Path(QStringLiteral("late_fixed.dbf"))));
    // The first file was repaired before its entry went.
    QCOMPARE(RecordCountOf(Fixed(names[0])), 3u);
    QCOMPARE(boxes.seen.last().text, Summary(3, 0, 0, 2));
  }

  void RemovingAllEntriesDuringARunEndsIt() {
    TMainForm form;
    const QStringList names = ListTables(form, 3);
    MessageBoxAnswerer boxes;
    QTimer::singleShot(0, &form, [&] { form.btnRemoveAll->click(); });
    form.btnRepairFiles->click();
    QCOMPARE(form.FileList->topLevelItemCount(), 0);
    QVERIFY(!QFile::exists(Fixed(names[1])) && !QFile::exists(Fixed(names[2])));
    QCOMPARE(boxes.seen.last().text, Summary(1, 0, 0, 2));
    QVERIFY(!form.FRunning);
  }

  // During a single-file run the batch page's button stops it too, and starts
  // no batch.
  void TheBatchButtonStopsASingleFileRunAndStartsNothing() {
    TMainForm form;
    ListTables(form, 2);
    WriteBytes(Path(QStringLiteral("single.dbf")), LargeTable(2000));
    form.txtSrcFile->setText(Path(QStringLiteral("single.dbf")));
    MessageBoxAnswerer boxes;
    QString batchCaption;
    QTimer::singleShot(0, &form, [&] {
      batchCaption = form.btnRepairFiles->text();
      form.btnRepairFiles->click();
    });
    form.btnRepair->click();
    QCOMPARE(batchCaption, QStringLiteral("&Stop Repair"));
    QCOMPARE(BatchColumn(form.FileList, 1), QStringList({QString(), QString()}));
    QCOMPARE(BatchColumn(form.FileList, 2), QStringList({kNotRepaired, kNotRepaired}));
    QCOMPARE(boxes.seen.size(), 1);
    QVERIFY(boxes.seen[0].text.startsWith(QStringLiteral("User aborts the repair process\n")));
    QCOMPARE(form.btnRepair->text(), QStringLiteral("&Start Repair"));
    QCOMPARE(form.btnRepairFiles->text(), QStringLiteral("&Start Repair"));
  }

  void ReadsTheOptionsAfreshForEveryFile() {
    TMainForm form;
    form.chkRecoverDeleted->setChecked(false);
    const QStringList names = ListTables(form, 2, TableWithDeletedRecord());
    MessageBoxAnswerer boxes;
    QTimer::singleShot(0, &form, [&] { form.chkRecoverDeleted->setChecked(true); });
    form.btnRepairFiles->click();
    QCOMPARE(RecordFlagOf(Fixed(names[0]), 1), '*');
    QCOMPARE(RecordFlagOf(Fixed(names[1]), 1), ' ');
  }
};

QTEST_MAIN(BatchRunTest)
#include "batch_run_test.moc"
