#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "logdlg/save_log_dialog.h"

class SaveLogDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  // Runs the dialog modally; `act` works on it once it shows.
  static std::optional<SaveLogTarget> Run(TSaveLogDialog& dialog,
                                          const std::function<void()>& act) {
    QTimer::singleShot(0, &dialog, [&dialog, act] {
      act();
      if (dialog.isVisible()) dialog.reject();  // a failed accept must not hang the test
    });
    return dialog.Ask();
  }

  // As a user types into the file-name box.
  static void TypeFileName(TSaveLogDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit != nullptr);
    edit->setText(name);
  }

 private slots:
  void OffersTheSystemInformationCheckBoxTickedAtFirst() {
    TSaveLogDialog dialog;
    QCOMPARE(dialog.SystemInfoCheckBox->text(), QStringLiteral("Include S&ystem Information"));
    QCOMPARE(dialog.SystemInfoCheckBox->toolTip(),
             QStringLiteral("Include system information in the log file"));
    QVERIFY(dialog.IncludeSysInfo());
    QVERIFY(dialog.property("IncludeSysInfo").toBool());
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("log"));
    QCOMPARE(dialog.nameFilters(), QStringList{"Log files (*.log)"});
    QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
  }

  void ShowsTheCheckBoxWithTheDialog() {
    TSaveLogDialog dialog;
    bool visible = false;
    Run(dialog, [&] {
      visible = dialog.SystemInfoCheckBox->isVisible();
      dialog.reject();
    });
    QVERIFY(visible);
  }

  void ReturnsTheChosenFileWithTheDefaultExtensionAndTheCheckBoxState() {
    TSaveLogDialog dialog;
    dialog.setDirectory(dir_.path());
    const std::optional<SaveLogTarget> target = Run(dialog, [&] {
      dialog.SystemInfoCheckBox->setChecked(false);
      TypeFileName(dialog, QStringLiteral("repair"));
      QMetaObject::invokeMethod(&dialog, "accept");
    });
    QVERIFY(target.has_value());
    QCOMPARE(target->fileName, dir_.filePath(QStringLiteral("repair.log")));
    QVERIFY(!target->includeSysInfo);
  }

  void CancellingGivesNothing() {
    TSaveLogDialog dialog;
    QVERIFY(!Run(dialog, [&] { dialog.reject(); }).has_value());
    QVERIFY(QDir(dir_.path()).isEmpty());
  }

  void KeepsAnUntickedBoxForTheNextSaveOfTheRun() {
    TSaveLogDialog dialog;
    dialog.setDirectory(dir_.path());
    Run(dialog, [&] {
      dialog.SystemInfoCheckBox->setChecked(false);
      dialog.reject();
    });
    bool tickedWhenShownAgain = true;
    const std::optional<SaveLogTarget> target = Run(dialog, [&] {
      tickedWhenShownAgain = dialog.SystemInfoCheckBox->isChecked();
      TypeFileName(dialog, QStringLiteral("second.log"));
      QMetaObject::invokeMethod(&dialog, "accept");
    });
    QVERIFY(!tickedWhenShownAgain);
    QVERIFY(target.has_value() && !target->includeSysInfo);
  }
};

QTEST_MAIN(SaveLogDialogTest)
#include "logdlg_save_log_dialog_test.moc"
