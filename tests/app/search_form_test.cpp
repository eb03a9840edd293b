#include <fcntl.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "search/search_file_grep.h"
#include "search/search_form.h"
#include "search/local_hard_drives.h"

namespace {

// Answers every message box as it appears and keeps its text.
class MessageBoxWatcher : public QObject {
 public:
  explicit MessageBoxWatcher(QMessageBox::StandardButton questionAnswer = QMessageBox::Yes)
      : FAnswer(questionAnswer) {
    FTimer.setInterval(5);
    connect(&FTimer, &QTimer::timeout, this, [this] { Answer(); });
    FTimer.start();
  }
  QStringList Texts;

 private:
  void Answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || box == FLast) return;
    FLast = box;
    Texts << box->text();
    QAbstractButton* button = box->button(FAnswer);
    (button != nullptr ? button : box->buttons().first())->click();
  }

  QMessageBox::StandardButton FAnswer;
  QTimer FTimer;
  QPointer<QMessageBox> FLast;
};

class Tree {
 public:
  QString Root() const { return FDir.path(); }
  QString File(const QString& relative, qint64 size = 0) const {
    const QString path = FDir.path() + u'/' + relative;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.resize(size);
    return path;
  }

 private:
  QTemporaryDir FDir;
};

void LookIn(TSearchForm& form, const QString& folders) {
  form.cmbDirectory->setCurrentIndex(-1);
  form.cmbDirectory->setEditText(folders);
}

QStringList Column(const TSearchForm& form, int column) {
  QStringList texts;
  for (int i = 0; i < form.fl->topLevelItemCount(); ++i) texts << form.fl->topLevelItem(i)->text(column);
  return texts;
}

}  // namespace

class SearchFormTest : public QObject {
  Q_OBJECT

 private slots:
  void StartsWithTheDefinedControlsAndIdleButtons() {
    TSearchForm form;
    QCOMPARE(form.windowTitle(), QString("Search for DBF file to be repaired"));
    QCOMPARE(form.PageControl1->tabText(1), QString("Date && Time"));
    QCOMPARE(form.cmbFileName->count(), 1);
    QCOMPARE(form.cmbFileName->currentText(), QString("DBF files (*.dbf)"));
    QCOMPARE(form.cmbDirectory->currentText(),
             QString("Local Harddrives (%1)").arg(LocalHardDrives(ListMountedDrives())));
    QVERIFY(form.Button1->isEnabled() && form.Button1->isDefault() && !form.Button2->isEnabled());
    QCOMPARE(form.StatusPanel0->text(), QString("0 file(s) found"));
    QCOMPARE(QDateTime(form.MaxM->date(), form.MaxMT->time()), QDateTime(QDate(1998, 9, 11), QTime(10, 21, 3)));
    QVERIFY(form.gbCreated->isEnabled() && !form.MinC->isEnabled() && !form.txtMinSize->isEnabled());
    form.cbCreated->setChecked(true);
    QVERIFY(form.MinC->isEnabled() && form.MaxCT->isEnabled());
    QCOMPARE(form.fl->headerItem()->text(2), QString("Size(bytes)"));
  }

  void FindsDbfFilesAndShowsCountAndColumns() {
    Tree tree;
    tree.File("a.dbf", 5);
    tree.File("B.DBF");
    tree.File("c.txt");
    tree.File("sub/d.dbf");
    TSearchForm form;
    MessageBoxWatcher boxes;
    LookIn(form, tree.Root());
    QStringList folders;
    form.lf->OnDirChange = [&](TSearchFileGrep*, const QString&) { folders << form.StatusPanel1->text(); };
    form.Button1->click();
    QCOMPARE(boxes.Texts, QStringList({"Search is completed. 3 file(s) found."}));
    QCOMPARE(form.StatusPanel0->text(), QString("3 file(s) found"));
    QVERIFY(form.StatusPanel1->text().isEmpty());
    QVERIFY(form.Button1->isEnabled() && !form.Button2->isEnabled());
    QStringList names = Column(form, 0);
    names.sort();
    QCOMPARE(names, QStringList({"B.DBF", "a.dbf", "d.dbf"}));
    const int row = Column(form, 0).indexOf("a.dbf");
    QCOMPARE(form.fl->topLevelItem(row)->text(1), tree.Root() + "/");
    QCOMPARE(form.fl->topLevelItem(row)->text(2), QString("5"));
    QVERIFY(!form.fl->topLevelItem(row)->text(5).isEmpty());

    // Without subfolders, and with a criterion nothing meets: the count 0 is still reported.
    form.RecurseSubDirs->setChecked(false);
    form.Button1->click();
    QCOMPARE(form.fl->topLevelItemCount(), 2);
    form.cbModified->setChecked(true);
    form.Button1->click();
    QCOMPARE(boxes.Texts.last(), QString("Search is completed. 0 file(s) found."));
  }

  void MatchesOnlyTheExactInstantOfUntouchedPickers() {
    Tree tree;
    const QString stamped = tree.File("stamped.dbf");
    tree.File("other.dbf");
    const qint64 ms = QDateTime(QDate(1998, 9, 11), QTime(10, 21, 3)).toMSecsSinceEpoch();
    const timespec times[2] = {{static_cast<time_t>(ms / 1000), 0}, {static_cast<time_t>(ms / 1000), 0}};
    QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(stamped).constData(), times, 0), 0);
    TSearchForm form;
    MessageBoxWatcher boxes;
    LookIn(form, tree.Root());
    form.cbModified->setChecked(true);
    form.cbFileAttr->setChecked(true);  // no attribute ticked: no filter
    form.Button1->click();
    QCOMPARE(Column(form, 0), QStringList({"stamped.dbf"}));
    QCOMPARE(form.fl->topLevelItem(0)->text(5), QLocale().toString(QDate(1998, 9, 11), QLocale::ShortFormat) + " " +
                                                    QLocale().toString(QTime(10, 21, 2), QLocale().timeFormat(QLocale::LongFormat).remove(u't').trimmed()));
  }

  void RefusesSizesThatAreNoIntegerAndKeysThatAreNoDigits() {
    TSearchForm form;
    MessageBoxWatcher boxes;
    form.cbFileMinSize->setChecked(true);
    QTest::keyClicks(form.txtMinSize, "1a2-");
    QCOMPARE(form.txtMinSize->text(), QString("012"));
    form.txtMinSize->setText("2147483648");
    form.Button1->click();
    QCOMPARE(boxes.Texts, QStringList({"'2147483648' is not a valid integer value"}));
    QVERIFY(form.Button1->isEnabled() && !form.Button2->isEnabled());
  }

  void RefusesOkWithoutASelection() {
    TSearchForm form;
    MessageBoxWatcher boxes;
    form.show();
    form.btnOK->click();
    QCoreApplication::processEvents();
    QCOMPARE(boxes.Texts, QStringList({"Please select the file(s) to be repaired from the search results!"}));
    QVERIFY(form.isVisible());
    QCOMPARE(form.Tag, 0);
  }

  void HandsOneSourceFileInSingleSelectionAndKeepsTheResults() {
    Tree tree;
    tree.File("a.dbf");
    tree.File("b.dbf");
    TSearchForm form;
    MessageBoxWatcher boxes;
    QStringList chosen;
    connect(&form, &TSearchForm::SourceFileChosen, this, [&](const QString& path) { chosen << path; });
    QTimer::singleShot(0, &form, [&] {
      LookIn(form, tree.Root());
      form.Button1->click();
      QCOMPARE(form.fl->selectionMode(), QAbstractItemView::SingleSelection);
      form.fl->setCurrentItem(form.fl->topLevelItem(0));
      form.fl->setCurrentItem(form.fl->topLevelItem(1));
      form.btnOK->click();
    });
    form.ChooseSourceFile();
    QCOMPARE(form.Tag, 1);
    QCOMPARE(chosen, QStringList({tree.Root() + "/" + form.fl->topLevelItem(1)->text(0)}));

    // Cancel hands nothing; the results stay for the next showing.
    QTimer::singleShot(0, &form, [&] { form.btnCancel->click(); });
    form.ChooseSourceFile();
    QCOMPARE(form.Tag, 0);
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(form.fl->topLevelItemCount(), 2);
  }

  void HandsSelectedBatchFilesInListOrderWithoutDuplicates() {
    Tree tree;
    tree.File("a.dbf");
    tree.File("b.dbf");
    tree.File("c.dbf");
    TSearchForm form;
    MessageBoxWatcher boxes;
    QStringList chosen;
    connect(&form, &TSearchForm::BatchFilesChosen, this, [&](const QStringList& paths) { chosen = paths; });
    QTimer::singleShot(0, &form, [&] {
      LookIn(form, tree.Root() + ";" + tree.Root());  // every file listed twice
      form.Button1->click();
      for (int row : {0, 1, 3, 5}) form.fl->topLevelItem(row)->setSelected(true);
      form.btnOK->click();
    });
    form.ChooseBatchFiles();
    QCOMPARE(form.fl->topLevelItemCount(), 6);
    QStringList expected;
    for (int row : {0, 1, 3, 5}) expected << form.RowPath(form.fl->topLevelItem(row));
    expected.removeDuplicates();
    QCOMPARE(chosen, expected);
    QCOMPARE(chosen.size(), 3);
  }

  void StopSearchReportsTheCancel() {
    Tree tree;
    tree.File("sub/a.dbf");
    TSearchForm form;
    MessageBoxWatcher boxes;
    LookIn(form, tree.Root());
    QTimer::singleShot(0, &form, [&] {
      QVERIFY(!form.Button1->isEnabled() && form.Button2->isEnabled());
      form.Button2->click();
    });
    form.Button1->click();
    QCOMPARE(boxes.Texts, QStringList({"Search is cancelled by the user!"}));
    QVERIFY(form.Button1->isEnabled() && !form.Button2->isEnabled());
  }

  void ClosingDuringASearchAsksAndStopsSilentlyOnYes() {
    Tree tree;
    tree.File("sub/a.dbf");
    TSearchForm form;
    form.show();
    MessageBoxWatcher boxes(QMessageBox::Yes);
    LookIn(form, tree.Root());
    QTimer::singleShot(0, &form, [&] { form.reject(); });
    form.Button1->click();
    QCOMPARE(boxes.Texts, QStringList({"Cancel the current search and close the search window?"}));
    QVERIFY(!form.isVisible());
    QVERIFY(form.Button1->isEnabled());
    QCOMPARE(form.fl->topLevelItemCount(), 0);
  }

  void ClosingDuringASearchAnsweredNoLetsTheSearchFinish() {
    Tree tree;
    tree.File("sub/a.dbf");
    TSearchForm form;
    form.show();
    MessageBoxWatcher boxes(QMessageBox::No);
    LookIn(form, tree.Root());
    QTimer::singleShot(0, &form, [&] { form.close(); });
    form.Button1->click();
    QCOMPARE(boxes.Texts, QStringList({"Cancel the current search and close the search window?",
                                       "Search is completed. 1 file(s) found."}));
    QVERIFY(form.isVisible());
  }
};

QTEST_MAIN(SearchFormTest)
#include "search_form_test.moc"
