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

QString Summary(int count) {
  return QStringLiteral("%1 file(s) repaired successfully").arg(count);
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
    boxes.onBox = [&](const SeenBox&) {
      captionAtSummary = form.btnRepairFiles->text();
      logAtSummary = form.RepairLogLines();
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
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Information);
    QCOMPARE(boxes.seen[0].text, Summary(4));
    // The engine's lines of this run only, and nothing once it is over.
    QCOMPARE(captionAtSummary, QStringLiteral("&Stop Repair"));
    QVERIFY(!logAtSummary.contains(QStringLiteral("line of an earlier run")));
    QCOMPARE(logAtSummary.count(QStringLiteral("Add 3 records.")), 4);
    QVERIFY(form.RepairLogLines().isEmpty());
    QCOMPARE(form.btnRepairFiles->text(), QStringLiteral("&Start Repair"));
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
    QCOMPARE(boxes.seen.last().text, Summary(1));
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
    QCOMPARE(boxes.seen.last().text, Summary(1));

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
    QCOMPARE(boxes.seen.last().text, Summary(2));
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
    QCOMPARE(boxes.seen[0].text, Summary(1));
    QCOMPARE(form.btnRepairFiles->text(), QStringLiteral("&Start Repair"));
  }

  // The source of the third entry is held by another program: the engine
  // shows a notice, during which the user asks to stop with the other start
  // button; the engine then returns failure.
  void StopDuringAFailingThirdFileMarksItAborted() {
    TMainForm form;
    const QStringList names = ListTables(form, 5);
    ForeignWriteLock lock(Path(names[2]));
    QVERIFY(lock.Held());
    form.txtSrcFile->setText(Path(QStringLiteral("single.dbf")));  // enables btnRepair
    MessageBoxAnswerer boxes;
    boxes.onBox = [&](const SeenBox& box) {
      if (box.text.startsWith(QStringLiteral("Share violation"))) form.btnRepair->click();
    };
    form.btnRepairFiles->click();
    QCOMPARE(BatchColumn(form.FileList, 2),
             QStringList({kSuccessful, kSuccessful, kAborted, kNotRepaired, kNotRepaired}));
    QCOMPARE(BatchColumn(form.FileList, 1),
             QStringList({Fixed(names[0]), Fixed(names[1]), Fixed(names[2]), QString(), QString()}));
    QVERIFY(!QFile::exists(Fixed(names[3])));
    QCOMPARE(boxes.seen.last().text, Summary(2));
    QCOMPARE(form.btnRepair->text(), QStringLiteral("&Start Repair"));
    QVERIFY(!form.FRunning);
  }

  // A stop among the records of the third file (its header is written): the
  // engine keeps the records copied so far and returns success.
  void StopDuringALongThirdFileKeepsWhatTheEngineWrote() {
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
             QStringList({kSuccessful, kSuccessful, kSuccessful, kNotRepaired, kNotRepaired}));
    QVERIFY(RecordCountOf(Fixed(names[2])) < quint32(kRecords));
    QVERIFY(!QFile::exists(Fixed(names[3])));
    QCOMPARE(boxes.seen.last().text, Summary(3));
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
    QCOMPARE(boxes.seen.last().text, Summary(3));
  }

  void RemovingAllEntriesDuringARunEndsIt() {
    TMainForm form;
    const QStringList names = ListTables(form, 3);
    MessageBoxAnswerer boxes;
    QTimer::singleShot(0, &form, [&] { form.btnRemoveAll->click(); });
    form.btnRepairFiles->click();
    QCOMPARE(form.FileList->topLevelItemCount(), 0);
    QVERIFY(!QFile::exists(Fixed(names[1])) && !QFile::exists(Fixed(names[2])));
    QCOMPARE(boxes.seen.last().text, Summary(1));
    QVERIFY(!form.FRunning);
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
