#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

#include "batch_test_support.h"
#include "main_form.h"

namespace {

const QString kNotRepaired = QStringLiteral("Not Repaired");

void SelectRows(QTreeWidget* list, const QList<int>& rows) {
  list->clearSelection();
  for (int row : rows) list->topLevelItem(row)->setSelected(true);
}

void FillList(TMainForm& form, const QStringList& paths) {
  for (const QString& path : paths) form.AddBatchFile(path);
}

}  // namespace

class BatchPageTest : public QObject {
  Q_OBJECT

 private slots:
  void KeepsOneEntryPerSourcePathIgnoringCase() {
    ScopedConfigHome home;
    TMainForm form;
    FillList(form, {QStringLiteral("/DATA/A.DBF"), QStringLiteral("/data/a.dbf"),
                    QStringLiteral("/DATA/A.DBF"), QStringLiteral("/data/ÄRGER.dbf"),
                    QStringLiteral("/data/ärger.DBF"), QStringLiteral("/data/b.dbf")});
    QCOMPARE(BatchColumn(form.FileList, 0),
             QStringList({QStringLiteral("/DATA/A.DBF"), QStringLiteral("/data/ÄRGER.dbf"),
                          QStringLiteral("/data/b.dbf")}));
    QCOMPARE(BatchColumn(form.FileList, 1), QStringList({QString(), QString(), QString()}));
    QCOMPARE(BatchColumn(form.FileList, 2), QStringList({kNotRepaired, kNotRepaired, kNotRepaired}));
  }

  void AddFilesTakesEveryFileChosenInTheOpenDialog() {
    ScopedConfigHome home;
    QTemporaryDir dir;
    for (const char* name : {"one.dbf", "two.dbf", "three.txt"})
      WriteBytes(dir.filePath(QString::fromLatin1(name)), "x");
    TMainForm form;
    form.AddBatchFile(dir.filePath(QStringLiteral("TWO.DBF")));
    QFileDialog::FileMode modeShown = QFileDialog::AnyFile;
    QString filterShown;
    FileDialogAnswerer answer([&](QFileDialog* dialog) {
      modeShown = dialog->fileMode();
      filterShown = dialog->selectedNameFilter();
      dialog->selectNameFilter(QStringLiteral("All files (*)"));
      dialog->setDirectory(dir.path());
      dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
          ->setText(QStringLiteral("\"three.txt\" \"one.dbf\" \"two.dbf\""));
      static_cast<QDialog*>(dialog)->accept();
    });
    form.btnAddFiles->click();
    QVERIFY(answer.Answered());
    QCOMPARE(modeShown, QFileDialog::ExistingFiles);
    QCOMPARE(filterShown, QStringLiteral("DBF files (*.dbf)"));
    QCOMPARE(form.OpenDialog->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(form.FSetting.OpenFilterIndex, 2);
    QStringList sources = BatchColumn(form.FileList, 0);
    QCOMPARE(sources.size(), 3);  // two.dbf was listed already, in other case
    sources.removeFirst();
    sources.sort();
    QCOMPARE(sources, QStringList({dir.filePath(QStringLiteral("one.dbf")),
                                   dir.filePath(QStringLiteral("three.txt"))}));
  }

  void RemoveButtonsDeleteTheSelectedEntriesOrAll() {
    ScopedConfigHome home;
    TMainForm form;
    FillList(form, {QStringLiteral("/a.dbf"), QStringLiteral("/b.dbf"), QStringLiteral("/c.dbf"),
                    QStringLiteral("/d.dbf")});
    SelectRows(form.FileList, {0, 2, 3});
    form.btnRemoveFiles->click();
    QCOMPARE(BatchColumn(form.FileList, 0), QStringList(QStringLiteral("/b.dbf")));
    form.btnRemoveAll->click();
    QCOMPARE(form.FileList->topLevelItemCount(), 0);
  }

  void DeleteKeysRemoveTheSelectionOrEverything() {
    ScopedConfigHome home;
    TMainForm form;
    FillList(form, {QStringLiteral("/a.dbf"), QStringLiteral("/b.dbf"), QStringLiteral("/c.dbf")});
    form.FileList->clearSelection();
    QTest::keyClick(form.FileList, Qt::Key_Delete);
    QCOMPARE(form.FileList->topLevelItemCount(), 3);

    SelectRows(form.FileList, {1});
    QTest::keyClick(form.FileList, Qt::Key_Delete);
    QCOMPARE(BatchColumn(form.FileList, 0),
             QStringList({QStringLiteral("/a.dbf"), QStringLiteral("/c.dbf")}));

    form.FileList->clearSelection();
    QTest::keyClick(form.FileList, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(form.FileList->topLevelItemCount(), 0);
  }
};

QTEST_MAIN(BatchPageTest)
#include "batch_page_test.moc"
