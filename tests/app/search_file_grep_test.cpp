#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "search/search_file_grep.h"
#include "search/search_list.h"
#include "logdlg/mounted_drives.h"

namespace {

// A folder tree made by the test, removed afterwards.
class Tree {
 public:
  Tree() { QVERIFY(FDir.isValid()); }
  QString Root() const { return FDir.path() + u'/'; }
  QString Path(const QString& relative) const { return Root() + relative; }
  void Folder(const QString& relative) const { QDir().mkpath(Path(relative)); }
  QString File(const QString& relative, qint64 size = 0) const {
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.resize(size);
    return path;
  }
  // Sets a file time exactly, in local time.
  void SetTimes(const QString& relative, const QDateTime& accessed, const QDateTime& modified) const {
    const auto toSpec = [](const QDateTime& time) {
      const qint64 ms = time.toMSecsSinceEpoch();
      return timespec{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1'000'000};
    };
    const timespec times[2] = {toSpec(accessed), toSpec(modified)};
    QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(Path(relative)).constData(), times, 0), 0);
  }

 private:
  QTemporaryDir FDir;
};

// Every event of a search as one line: "dir <path>", "found <path>", "cancel", "finished", "end".
struct EventLog {
  explicit EventLog(TSearchFileGrep& search, const QString& root) : FRoot(root) {
    search.ThreadedSearch = false;
    search.OnDirChange = [this](TSearchFileGrep*, const QString& folder) { Lines << "dir " + Strip(folder); };
    search.OnFound = [this](TSearchFileGrep*, PSPFileRecord record) {
      Lines << "found " + Strip(record->Dir + record->FileName);
      Records.append(*record);
    };
    search.OnCancel = [this](TSearchFileGrep*) { Lines << "cancel"; };
    search.OnFinished = [this](TSearchFileGrep*) { Lines << "finished"; };
    search.OnEnd = [this](TSearchFileGrep*) { Lines << "end"; };
  }
  QStringList Found() const { return Lines.filter(QRegularExpression("^found ")).replaceInStrings("found ", ""); }
  QString Strip(const QString& path) const { return path.startsWith(FRoot) ? path.mid(FRoot.size()) : path; }

  QStringList Lines;
  QList<TSPFileRecord> Records;
  QString FRoot;
};

QStringList Sorted(QStringList list) {
  list.sort();
  return list;
}

}  // namespace

class SearchFileGrepTest : public QObject {
  Q_OBJECT

 private slots:
  void SplitsListsKeepingTheLastPieceWithoutTheDuplicateTest() {
    QCOMPARE(SplitSearchList("*.dbf;*.dbf;*.dbf"), QStringList({"*.dbf", "*.dbf"}));
    QCOMPARE(SplitSearchList(" a ; b ;a; "), QStringList({"a", "b"}));
    QCOMPARE(SplitSearchList(" *.dbf "), QStringList({" *.dbf "}));
    QCOMPARE(SplitSearchList("  "), QStringList());
    QCOMPARE(SplitSearchList("/x;"), QStringList({"/x"}));
  }

  void ReportsEveryMatchTwiceForATripleMask() {
    Tree tree;
    tree.File("a.dbf");
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Root();
    search.FileMasks = "*.dbf;*.dbf;*.dbf";
    search.StartSearch();
    QCOMPARE(log.Found(), QStringList({"a.dbf", "a.dbf"}));
  }

  void MatchesMasksWithoutRegardToCase() {
    Tree tree;
    for (const char* name : {"a.DBF", "b.dbf", "c.Dbf", "d.txt", "e.dbf.bak", "README"}) tree.File(name);
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Root();
    search.FileMasks = "*.dbf";
    search.StartSearch();
    QCOMPARE(Sorted(log.Found()), QStringList({"a.DBF", "b.dbf", "c.Dbf"}));

    // Letters beyond ASCII, in the name or in the mask.
    tree.File(QString::fromUtf8("\u00c4rger.DBF"));
    tree.File(QString::fromUtf8("x.DB\u00c4"));
    log.Lines.clear();
    search.FileMasks = QString::fromUtf8("*.dbf;*.db\u00e4");
    search.StartSearch();
    QCOMPARE(log.Found().size(), 5);

    // "*.*", also the meaning of an empty mask list, takes names without a dot too.
    log.Lines.clear();
    search.FileMasks.clear();
    search.StartSearch();
    QCOMPARE(log.Found().size(), 8);
    QVERIFY(!log.Found().contains(".") && !log.Found().contains(".."));
  }

  void WalksFilesMaskByMaskBeforeSubfoldersAndFoldersInListOrder() {
    Tree tree;
    tree.File("one/x.txt");
    tree.File("one/y.dbf");
    tree.File("one/sub/z.dbf");
    tree.File("one/sub/deeper/w.txt");
    tree.File("two/v.dbf");
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Path("two") + " ; " + tree.Path("one");
    search.FileMasks = "*.txt;*.dbf";
    search.StartSearch();
    QCOMPARE(log.Lines, QStringList({"dir two/", "found two/v.dbf", "dir one/", "found one/x.txt",
                                     "found one/y.dbf", "dir one/sub/", "found one/sub/z.dbf",
                                     "dir one/sub/deeper/", "found one/sub/deeper/w.txt",
                                     "finished", "end"}));

    log.Lines.clear();
    search.RecurseSubDirs = false;
    search.StartSearch();
    QCOMPARE(log.Lines, QStringList({"dir two/", "found two/v.dbf", "dir one/", "found one/x.txt",
                                     "found one/y.dbf", "finished", "end"}));
  }

  void ReportsAFolderMatchingTheMaskLikeAFile() {
    Tree tree;
    tree.Folder("odd.dbf");
    tree.File("odd.dbf/inner.dbf", 10);
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Root();
    search.FileMasks = "*.dbf";
    search.ResultValues |= srsSize | srsAttr;
    search.StartSearch();
    QCOMPARE(log.Found(), QStringList({"odd.dbf", "odd.dbf/inner.dbf"}));
    QCOMPARE(log.Records[0].Size, 0);
    QVERIFY(!log.Records[0].Attr.testFlag(fmArchive));
  }

  void AppliesSizeBoundsInclusivelyAndBeyondFourGiB() {
    Tree tree;
    tree.File("s99.dbf", 99);
    tree.File("s100.dbf", 100);
    tree.File("s101.dbf", 101);
    const qint64 fiveGiB = 5LL << 30;
    tree.File("big.dbf", fiveGiB);  // sparse
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Root();
    search.ResultValues |= srsSize;
    const auto found = [&](qint64 min, qint64 max) {
      log.Lines.clear();
      search.MinSize = min;
      search.MaxSize = max;
      search.StartSearch();
      return Sorted(log.Found());
    };
    QCOMPARE(found(0, 0).size(), 4);
    QCOMPARE(found(100, 0), QStringList({"big.dbf", "s100.dbf", "s101.dbf"}));
    QCOMPARE(found(0, 100), QStringList({"s100.dbf", "s99.dbf"}));
    QCOMPARE(found(fiveGiB, 0), QStringList({"big.dbf"}));
    QCOMPARE(found(0, fiveGiB - 1).size(), 3);
    QCOMPARE(found(0, -1), QStringList());
    found(fiveGiB, fiveGiB);
    QCOMPARE(log.Records.last().Size, Q_INT64_C(5368709120));
  }

  void RequiresEveryChosenAttribute() {
    Tree tree;
    tree.File("plain.dbf");
    tree.File("ro.dbf");
    tree.File(".hidden.dbf");
    tree.File(".hro.dbf");
    QFile::setPermissions(tree.Path("ro.dbf"), QFile::ReadOwner);
    QFile::setPermissions(tree.Path(".hro.dbf"), QFile::ReadOwner);
    QCOMPARE(mkfifo(QFile::encodeName(tree.Path("pipe.dbf")).constData(), 0644), 0);
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Root();
    search.FileMasks = "*.dbf";
    search.ResultValues |= srsAttr;
    const auto found = [&](TSPFileAttributes attributes) {
      log.Lines.clear();
      log.Records.clear();
      search.Attributes = attributes;
      search.StartSearch();
      return Sorted(log.Found());
    };
    QCOMPARE(found(TSPFileAttributes(fmHidden) | fmReadOnly), QStringList({".hro.dbf"}));
    QCOMPARE(log.Records[0].Attr, TSPFileAttributes(fmHidden) | fmReadOnly | fmArchive);
    QCOMPARE(found(fmSystem), QStringList({"pipe.dbf"}));
    QCOMPARE(found(fmHidden), QStringList({".hidden.dbf", ".hro.dbf"}));
    QCOMPARE(found(fmArchive).size(), 4);
    QCOMPARE(found({}).size(), 5);
    QCOMPARE(found(TSPFileAttributes(fmAnyfile) | fmSystem).size(), 5);
  }

  void AppliesEachDateBoundExactlyAndIgnoresZeroBounds() {
    Tree tree;
    tree.File("t.dbf");
    const QDateTime accessed(QDate(2003, 4, 5), QTime(6, 7, 8, 250));
    const QDateTime modified(QDate(2001, 2, 3), QTime(4, 5, 7, 789));
    tree.SetTimes("t.dbf", accessed, modified);
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Root();
    const auto passes = [&](TSPCheckDate check, TSPDateTime& bound, const QDateTime& value) {
      log.Lines.clear();
      search.CheckDates = check;
      bound.SetDateTime(value);
      search.StartSearch();
      bound.SetDateTime({});
      return log.Found().size() == 1;
    };
    const struct {
      TSPCheckDate After, Before;
      TSPDateTime &AfterBound, &BeforeBound;
      QDateTime Time;
    } cases[] = {{scdAccessedAfter, scdAccessedBefore, search.AccessedAfter, search.AccessedBefore, accessed},
                 {scdModifiedAfter, scdModifiedBefore, search.ModifiedAfter, search.ModifiedBefore, modified}};
    for (const auto& c : cases) {
      QVERIFY(passes(c.After, c.AfterBound, c.Time));
      QVERIFY(!passes(c.After, c.AfterBound, c.Time.addMSecs(1)));
      QVERIFY(passes(c.Before, c.BeforeBound, c.Time));
      QVERIFY(!passes(c.Before, c.BeforeBound, c.Time.addMSecs(-1)));
    }
    // A bound of 0 is no bound, whatever CheckDates says.
    QVERIFY(passes(scdModifiedAfter, search.ModifiedAfter, QDateTime()));

    // Creation is the birth time where the file system keeps one, else the modification time.
    struct statx st {};
    statx(AT_FDCWD, QFile::encodeName(tree.Path("t.dbf")).constData(), 0, STATX_BTIME, &st);
    const bool hasBirthTime = (st.stx_mask & STATX_BTIME) != 0;
    const QDateTime hourAgo = QDateTime::currentDateTime().addSecs(-3600);
    QCOMPARE(passes(scdCreateAfter, search.CreatedAfter, hourAgo), hasBirthTime);
    QCOMPARE(passes(scdCreateBefore, search.CreatedBefore, hourAgo), !hasBirthTime);
  }

  void FillsOnlyTheAskedResultFieldsWithTwoSecondDates() {
    Tree tree;
    tree.File("sub/t.dbf", 7);
    tree.SetTimes("sub/t.dbf", QDateTime(QDate(1975, 1, 1), QTime(12, 0)),
                  QDateTime(QDate(2001, 2, 3), QTime(4, 5, 7, 789)));
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Root();
    search.FileMasks = "*.dbf";
    search.ResultValues = srsFilename;
    search.StartSearch();
    QCOMPARE(log.Records.size(), 1);
    QCOMPARE(log.Records[0].FileName, QString("t.dbf"));
    QVERIFY(log.Records[0].Dir.isEmpty() && log.Records[0].Size == 0);
    QCOMPARE(search.FoundList(), QStringList({tree.Path("sub/t.dbf")}));

    log.Records.clear();
    search.ResultValues = TSPResults(srsDir) | srsSize | srsLastAccessDate | srsLastModifiedDate;
    search.InternalFoundList = false;
    search.StartSearch();
    QCOMPARE(log.Records[0].Dir, tree.Path("sub/"));
    QCOMPARE(log.Records[0].Size, 7);
    QCOMPARE(log.Records[0].LastModifiedDate, QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
    QVERIFY(!log.Records[0].LastAccessDate.isValid());  // before 1980
    QVERIFY(!log.Records[0].CreateDate.isValid());      // not asked for
    QVERIFY(search.FoundList().isEmpty());
  }

  void StopsDuringAWalkAndStartsTheNextSearchClean() {
    Tree tree;
    for (int i = 0; i < 5; ++i) tree.File(QString("f%1/a.dbf").arg(i));
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Root();
    search.FileMasks = "*.dbf";
    int folders = 0;
    search.OnDirChange = [&](TSearchFileGrep* sender, const QString&) {
      // Stopping from a queued call, as a button click during the walk does.
      if (++folders == 3) QTimer::singleShot(0, sender, [sender] { sender->StopSearch(); });
    };
    search.StartSearch();
    QCOMPARE(log.Lines.mid(log.Lines.size() - 2), QStringList({"cancel", "end"}));
    QCOMPARE(search.FoundList().size(), 2);  // the stop is seen at the next folder

    log.Lines.clear();
    folders = -100;
    search.StartSearch();
    QCOMPARE(log.Lines.mid(log.Lines.size() - 2), QStringList({"finished", "end"}));
    QCOMPARE(search.FoundList().size(), 5);

    // A stop asked for while idle does not end the next search.
    search.StopSearch();
    log.Lines.clear();
    search.StartSearch();
    QCOMPARE(log.Lines.last(2), QStringList({"finished", "end"}));
  }

  void NeverFollowsLinksToFoldersAndSurvivesALinkLoop() {
    Tree tree;
    tree.File("a/x.dbf");
    QVERIFY(QFile::link(tree.Path("a"), tree.Path("a/loop")));
    QVERIFY(QFile::link(tree.Path(""), tree.Path("a/up")));
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Path("a");
    search.StartSearch();
    QCOMPARE(log.Lines.filter("dir "), QStringList({"dir a/"}));
    QCOMPARE(Sorted(log.Found()), QStringList({"a/loop", "a/up", "a/x.dbf"}));
  }

  void SkipsAFolderThatVanishedBeforeItsTurn() {
    Tree tree;
    tree.File("a.dbf");
    tree.File("gone/b.dbf");
    tree.File("kept/c.dbf");
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Root();
    search.FileMasks = "*.dbf";
    search.OnFound = [&](TSearchFileGrep*, PSPFileRecord record) {
      log.Lines << "found " + record->FileName;
      if (record->FileName == "a.dbf") QDir(tree.Path("gone")).removeRecursively();
    };
    search.StartSearch();
    QCOMPARE(Sorted(log.Found()), QStringList({"a.dbf", "c.dbf"}));
    QCOMPARE(log.Lines.last(2), QStringList({"finished", "end"}));
  }

  void SkipsAFolderItCannotRead() {
    if (geteuid() == 0) QSKIP("permissions do not stop the superuser; the vanished-folder test covers the skip");
    Tree tree;
    tree.File("locked/a.dbf");
    tree.File("open/b.dbf");
    QFile::setPermissions(tree.Path("locked"), {});
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.Dirs = tree.Root();
    search.FileMasks = "*.dbf";
    search.StartSearch();
    QFile::setPermissions(tree.Path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(log.Found(), QStringList({"open/b.dbf"}));
    QCOMPARE(log.Lines.last(2), QStringList({"finished", "end"}));
  }

  void IgnoresMissingFoldersAndNeverEntersPseudoFileSystems() {
    TSearchFileGrep search;
    EventLog log(search, QString());
    search.Dirs = "/no/such/folder;/proc;/sys";
    search.StartSearch();
    QCOMPARE(log.Lines, QStringList({"dir /no/such/folder/", "finished", "end"}));
  }

  void EntersOnlyFixedDrivesWhenAskedTo() {
    const QString shm = "/dev/shm";
    bool isRamDisk = false;
    for (const MountedDrive& drive : ListMountedDrives()) {
      if (drive.rootPath == shm) isRamDisk = drive.type == DriveType::kRamDisk;
    }
    if (!isRamDisk) QSKIP("no memory file system at /dev/shm");
    TSearchFileGrep search;
    EventLog log(search, QString());
    search.Dirs = shm;
    search.RecurseSubDirs = false;
    search.FileMasks = "no-such-name";
    search.FixedDrivesOnly = true;
    search.StartSearch();
    QCOMPARE(log.Lines, QStringList({"finished", "end"}));
    log.Lines.clear();
    search.FixedDrivesOnly = false;
    search.StartSearch();
    QCOMPARE(log.Lines, QStringList({"dir /dev/shm/", "finished", "end"}));
  }

  void RunsTheThreadedFormOnTheMainThread() {
    Tree tree;
    tree.File("a.dbf");
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    search.ThreadedSearch = true;
    search.Dirs = tree.Root();
    QThread* walkThread = nullptr;
    search.OnFound = [&](TSearchFileGrep*, PSPFileRecord) { walkThread = QThread::currentThread(); };
    search.StartSearch();
    QVERIFY(!log.Lines.contains("end"));  // returns at once
    QTRY_VERIFY(log.Lines.contains("end"));
    QCOMPARE(walkThread, QThread::currentThread());
    QCOMPARE(search.FoundList(), QStringList({tree.Path("a.dbf")}));
  }

  void SearchesContentsAndRefusesAnEmptyExpression() {
    Tree tree;
    const auto write = [&](const QString& name, const QByteArray& text) {
      QFile file(tree.File(name));
      file.open(QIODevice::WriteOnly);
      file.write(text);
    };
    write("word.dbf", "xx hello world yy");
    write("inside.dbf", "xxhelloworldyy");
    write("other.dbf", "nothing");
    tree.Folder("hello.dbf");
    QVERIFY(QFile::link(tree.Path("missing"), tree.Path("dangling.dbf")));
    TSearchFileGrep search;
    EventLog log(search, tree.Root());
    QStringList unopened;
    search.OnErrorOpenFile = [&](TSearchFileGrep*, const QString& path) { unopened << log.Strip(path); };
    int invalid = 0;
    search.OnTemplateInvalid = [&](TSearchFileGrep*) { ++invalid; };
    search.Dirs = tree.Root();
    search.SetSearchString("HELLO");
    search.StartSearch();
    QCOMPARE(Sorted(log.Found()), QStringList({"inside.dbf", "word.dbf"}));
    QCOMPARE(unopened, QStringList({"dangling.dbf"}));

    log.Lines.clear();
    search.SearchOptions = WholeWordsOnly;
    search.StartSearch();
    QCOMPARE(log.Found(), QStringList({"word.dbf"}));
    log.Lines.clear();
    search.SearchOptions = MatchCase;
    search.StartSearch();
    QCOMPARE(log.Found(), QStringList());

    search.SetSearchString(QString());
    QCOMPARE(invalid, 1);
    QCOMPARE(search.SearchString(), QString("HELLO"));
  }
};

QTEST_MAIN(SearchFileGrepTest)
#include "search_file_grep_test.moc"
