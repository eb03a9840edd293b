// The window's ways into the viewer: the result box and the Repair page open
// the table a repair wrote, its mended cells marked with the source's bytes;
// the Repair page opens any other table as it stands.
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "app_test_support.h"
#include "drag_edit.h"
#include "main_form.h"
#include "viewer/record_table_model.h"
#include "viewer/table_viewer.h"

namespace {

constexpr int kJoinedColumn = 3;

QList<TTableViewer*> Viewers(const TMainForm& form) { return form.findChildren<TTableViewer*>(); }

}  // namespace

class ViewAfterRepairTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;
  QString FSource;

 private slots:
  void init() {
    FSource = FDir.filePath(QStringLiteral("customers.dbf"));
    for (const QString& name : {QStringLiteral("customers.dbf"), QStringLiteral("customers.dbt")}) {
      QFile::remove(FDir.filePath(name));
      QVERIFY(QFile::copy(QStringLiteral(TESSALY_SAMPLES_DIR "/") + name, FDir.filePath(name)));
    }
    QFile::remove(FDir.filePath(QStringLiteral("customers_fixed.dbf")));
  }

  void TheResultBoxShowsTheRepairedSampleWithItsMendedCellsMarked() {
    ScopedConfigHome home;
    TMainForm form;
    MessageBoxAnswerer boxes;
    boxes.pressCaption = QStringLiteral("&View");
    form.txtSrcFile->setText(FSource);
    form.btnRepair->click();
    QCOMPARE(boxes.seen.size(), 1);
    QTRY_COMPARE(Viewers(form).size(), 1);
    TTableViewer* viewer = Viewers(form).first();
    QVERIFY(viewer->windowTitle().contains(QStringLiteral("customers_fixed.dbf")));
    // The report for people, its record-area line read by the viewer itself.
    const QString report = viewer->txtReport->toPlainText();
    QVERIFY2(report.contains(QStringLiteral("JOINED D: 4 dates mended")), qPrintable(report));
    QVERIFY(!report.contains(QStringLiteral("Record area:")));

    // Record 2's date was 20201345: the repair made it a date, and the cell says what it was.
    const TRecordTableModel* model = viewer->Model();
    QVERIFY(model->ComparesWithSource());
    const QModelIndex mended = model->index(1, kJoinedColumn);
    QCOMPARE(mended.data().toString(), QStringLiteral("20200101"));
    QVERIFY(mended.data(TRecordTableModel::MendedRole).toBool());
    QVERIFY(mended.data(Qt::BackgroundRole).isValid());
    QCOMPARE(mended.data(Qt::ToolTipRole).toString(),
             QStringLiteral("Before the repair: \"20201345\"\nBytes: 32 30 32 30 31 33 34 35"));
    QVERIFY(!model->index(0, kJoinedColumn).data(TRecordTableModel::MendedRole).toBool());
    // The current cell's pane says it too, for the keyboard.
    viewer->grdRecords->setCurrentIndex(mended);
    QCOMPARE(viewer->labSourceBytes->text(), mended.data(Qt::ToolTipRole).toString());
  }

  void TheRepairPageShowsTheLastRepairAndAnyTable() {
    ScopedConfigHome home;
    TMainForm form;
    MessageBoxAnswerer boxes;
    QVERIFY(!form.btnView->isEnabled());
    form.txtSrcFile->setText(FSource);
    form.btnRepair->click();  // the result box's default: OK, no viewer
    QVERIFY(Viewers(form).isEmpty());
    QVERIFY(form.btnView->isEnabled());
    form.btnView->click();
    QTRY_COMPARE(Viewers(form).size(), 1);
    QVERIFY(Viewers(form).first()->Model()->ComparesWithSource());

    // Any table, here the damaged source itself: as it stands, nothing compared.
    FileDialogAnswerer choose([&](QFileDialog* dialog) {
      dialog->selectFile(FSource);
      static_cast<QDialog*>(dialog)->accept();
    });
    form.btnViewTable->click();
    QVERIFY(choose.Answered());
    QTRY_COMPARE(Viewers(form).size(), 2);
    TTableViewer* plain = Viewers(form).last();
    QCOMPARE(plain->Model()->TablePath(), FSource);
    QVERIFY(!plain->Model()->ComparesWithSource());
    QVERIFY(plain->txtReport->isHidden());

    // A file that is no table says why in an error box and opens nothing.
    const QString text = FDir.filePath(QStringLiteral("notes.txt"));
    WriteBytes(text, "not a table");
    FileDialogAnswerer chooseText([&](QFileDialog* dialog) {
      dialog->selectFile(text);
      static_cast<QDialog*>(dialog)->accept();
    });
    form.btnViewTable->click();
    QVERIFY(chooseText.Answered());
    QCOMPARE(boxes.seen.last().caption, QStringLiteral("Error"));
    QVERIFY(boxes.seen.last().text.startsWith(
        QStringLiteral("Cannot open the table '%1': ").arg(text)));
    QCOMPARE(Viewers(form).size(), 2);
  }
};

QTEST_MAIN(ViewAfterRepairTest)
#include "view_after_repair_test.moc"
