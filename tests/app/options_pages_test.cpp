#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>
#include <memory>

#include "app_test_support.h"
#include "batch_test_support.h"
#include "drag_edit.h"
#include "main_form.h"
#include "mendrel.h"

namespace {

void TickAll(TMainForm& form, bool ticked) {
  for (QCheckBox* box : {form.chkRecoverDeleted, form.chkRepairDate, form.chkSplitTable,
                         form.chkReadSrcMemoFile, form.chkIgnoreAllZeroSrcMemoFile})
    box->setChecked(ticked);
}

}  // namespace

class OptionsPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheDefaultsAtFirstStart() {
    ScopedConfigHome home;
    TMainForm form;
    QVERIFY(!form.chkOpenFixed->isChecked());
    QVERIFY(form.chkRecoverDeleted->isChecked() && form.chkRepairDate->isChecked());
    QVERIFY(form.chkSplitTable->isChecked() && form.chkReadSrcMemoFile->isChecked());
    QVERIFY(form.chkIgnoreAllZeroSrcMemoFile->isChecked());
    QCOMPARE(form.udMaxFieldCount->value(), 255);
    QVERIFY(form.udMaxFieldCount->isEnabled());
    QCOMPARE(form.udBufSize->value(), 512);
    QCOMPARE(form.txtTempDir->text(), QDir::tempPath() + u'/');
    QCOMPARE(form.cmbDBFVersion->currentIndex(), 0);
  }

  void EnablesTheFieldCountWithSplitting() {
    ScopedConfigHome home;
    StoreSettings(home, {{QStringLiteral("SplitTable"), QStringLiteral("0")}});
    TMainForm form;
    QVERIFY(!form.chkSplitTable->isChecked());
    QVERIFY(!form.udMaxFieldCount->isEnabled() && !form.txtMaxFieldCount->isEnabled());
    form.chkSplitTable->click();
    QVERIFY(form.udMaxFieldCount->isEnabled() && form.txtMaxFieldCount->isEnabled());
  }

  void BringsStoredCountsIntoRange() {
    ScopedConfigHome home;
    StoreSettings(home, {{QStringLiteral("MaxFieldCount"), 0}, {QStringLiteral("BufSize"), 70000}});
    {
      TMainForm form;
      QCOMPARE(form.udMaxFieldCount->value(), 1);
      QCOMPARE(form.udBufSize->value(), 32767);
    }
    QCOMPARE(StoredSettings(home)[QStringLiteral("MaxFieldCount")], QJsonValue(1));
    QCOMPARE(StoredSettings(home)[QStringLiteral("BufSize")], QJsonValue(32767));
  }

  void KeyFilterDropsNonDigitsWithABeep() {
    ScopedConfigHome home;
    TMainForm form;
    QSignalSpy beeps(&form, &TMainForm::KeyDiscarded);
    form.txtMaxFieldCount->clear();
    QTest::keyClicks(form.udMaxFieldCount, QStringLiteral("12a"));
    QCOMPARE(form.txtMaxFieldCount->text(), QStringLiteral("12"));
    QCOMPARE(beeps.count(), 1);
    QTest::keyClick(form.udMaxFieldCount, Qt::Key_Backspace);
    QCOMPARE(form.txtMaxFieldCount->text(), QStringLiteral("1"));
    form.txtBufSize->clear();
    QTest::keyClicks(form.udBufSize, QStringLiteral(" 7,x"));
    QCOMPARE(form.txtBufSize->text(), QStringLiteral("7"));
    QCOMPARE(beeps.count(), 4);
  }

  void KeepsTheLastValidCountWhenTheTypedOneIsOutOfRange() {
    ScopedConfigHome home;
    TMainForm form;
    form.udMaxFieldCount->setValue(300);
    form.txtMaxFieldCount->selectAll();
    QTest::keyClicks(form.udMaxFieldCount, QStringLiteral("0"));
    QCOMPARE(form.udMaxFieldCount->value(), 300);
    QCOMPARE(form.GetRepairOptions() >> MENDREL_OPT_MAX_FIELDS_SHIFT, 300u);
  }

  void PacksTheOptionWordFromTheControls() {
    ScopedConfigHome home;
    TMainForm form;
    TickAll(form, true);
    form.cmbDBFVersion->setCurrentIndex(MENDREL_VERSION_VISUAL_FOXPRO);
    QCOMPARE(form.GetRepairOptions() & 0xFFFFu, 0x081Fu);
    QCOMPARE(form.GetRepairOptions() >> 16, 255u);

    TickAll(form, false);
    form.udMaxFieldCount->setValue(300);
    form.cmbDBFVersion->setCurrentIndex(0);
    QCOMPARE(form.GetRepairOptions(), 300u << 16);
    form.chkRepairDate->setChecked(true);
    form.cmbDBFVersion->setCurrentIndex(MENDREL_VERSION_DBASE4);
    QCOMPARE(form.GetRepairOptions(), (300u << 16) | 0x0200u | MENDREL_OPT_REPAIR_DATE);
  }

  void SavesTheControlsWhenTheWindowCloses() {
    ScopedConfigHome home;
    {
      TMainForm form;
      form.chkOpenFixed->setChecked(true);
      form.chkIgnoreAllZeroSrcMemoFile->setChecked(false);
      form.udMaxFieldCount->setValue(1000);
      form.txtTempDir->setText(QStringLiteral(" /not/checked "));
      form.cmbDBFVersion->setCurrentIndex(3);
    }
    const QJsonObject misc = StoredSettings(home);
    QCOMPARE(misc[QStringLiteral("OpenFixed")], QJsonValue(QStringLiteral("1")));
    QCOMPARE(misc[QStringLiteral("IgnoreAllZeroSrcMemoFile")], QJsonValue(QStringLiteral("0")));
    QCOMPARE(misc[QStringLiteral("MaxFieldCount")], QJsonValue(1000));
    QCOMPARE(misc[QStringLiteral("TempDir")], QJsonValue(QStringLiteral(" /not/checked ")));
    QVERIFY(!misc.contains(QStringLiteral("DBFVersion")));
    TMainForm next;
    QCOMPARE(next.cmbDBFVersion->currentIndex(), 0);
    QCOMPARE(next.udMaxFieldCount->value(), 1000);
  }

  void ChoosesTheTemporaryFolder() {
    ScopedConfigHome home;
    TMainForm form;
    QTemporaryDir chosen;
    FileDialogAnswerer pick([&](QFileDialog* dialog) {
      dialog->setDirectory(chosen.path());
      static_cast<QDialog*>(dialog)->accept();
    });
    form.btnMoreDirClick();
    QVERIFY(pick.Answered());
    QCOMPARE(form.txtTempDir->text(), chosen.path());

    FileDialogAnswerer cancel([](QFileDialog* dialog) { dialog->reject(); });
    form.btnMoreDirClick();
    QCOMPARE(form.txtTempDir->text(), chosen.path());
  }

  // A table whose first 512 bytes are zeroed, repaired alone and in a batch with its
  // undamaged twin as the template: every record comes back where it stood (those
  // after the zeroed bytes as they were), and the log says where the field list came
  // from, as tessaly-cli says it.
  void TakesTheFieldListFromASoundTable() {
    ScopedConfigHome home;
    QTemporaryDir dir;
    QList<QByteArray> records;
    for (int i = 0; i < 40; ++i) records << QByteArray::number(100000 + i) + "    Ada       T";
    const QByteArray twin = BuildTable({{"CODE", 'C', 10}, {"NAME", 'C', 10}, {"OK", 'L', 1}}, records);
    QByteArray lost = twin;
    lost.replace(0, 512, QByteArray(512, '\0'));
    const QString twinPath = dir.filePath(QStringLiteral("twin.dbf"));
    const QString lostPath = dir.filePath(QStringLiteral("lost.dbf"));
    const QString output = dir.filePath(QStringLiteral("lost_fixed.dbf"));
    WriteBytes(twinPath, twin);
    WriteBytes(lostPath, lost);
    const QString templateLine = QStringLiteral("Field list taken from the template table: '%1'").arg(twinPath);
    const auto outputMatchesTwin = [&] {
      QFile file(output);
      return file.open(QIODevice::ReadOnly) && file.readAll().mid(512) == twin.mid(512) &&
             RecordCountOf(output) == quint32(records.size());
    };

    TMainForm form;
    MessageBoxAnswerer boxes;
    QVERIFY(!form.chkTemplate->isChecked() && !form.txtTemplate->isEnabled());
    form.chkTemplate->click();
    QVERIFY(form.txtTemplate->isEnabled() && form.btnTemplateMore->isEnabled());
    form.txtTemplate->setText(twinPath);
    form.txtSrcFile->setText(lostPath);
    form.btnRepair->click();
    const QStringList log = form.RepairLogLines();
    QVERIFY(log.size() > 4);
    QCOMPARE(log[4], templateLine);
    QVERIFY2(outputMatchesTwin(), qPrintable(log.join(u'\n')));

    QFile::remove(output);
    form.AddBatchFile(lostPath);
    form.btnRepairFiles->click();
    QVERIFY(form.BatchLogLines().contains(templateLine));
    QVERIFY(outputMatchesTwin());
  }

  // Ticked without a table, a run does not start: the page shows where to choose one.
  void RefusesToRunWithoutTheChosenTemplate() {
    ScopedConfigHome home;
    TMainForm form;
    MessageBoxAnswerer boxes;
    form.chkTemplate->setChecked(true);
    form.txtSrcFile->setText(QStringLiteral("/no/such/table.dbf"));
    form.btnRepair->click();
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].caption, QStringLiteral("Error"));
    QCOMPARE(form.pcMain->currentWidget(), form.tsAdvOptions);
    QCOMPARE(form.RepairLogLines(), QStringList());
  }
};

QTEST_MAIN(OptionsPagesTest)
#include "options_pages_test.moc"
