// "Save Log": the save-log dialog, with the live option controls described for
// the setting-information block.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "logdlg/save_log_dialog.h"
#include "logdlg/save_repair_log.h"
#include "main_form.h"

void TMainForm::btnSaveLogClick() {
  SaveRepairLog(this, SaveLogDialog->Ask(), LogLinesToSave(), DescribeOptionControls());
}

OptionControlsDescription TMainForm::DescribeOptionControls() const {
  OptionControlsDescription options;
  options.openFixed = DescribeCheckBox(*chkOpenFixed);
  options.recoverDeleted = DescribeCheckBox(*chkRecoverDeleted);
  options.repairDate = DescribeCheckBox(*chkRepairDate);
  options.splitTable = DescribeCheckBox(*chkSplitTable);
  options.maxFieldCount = udMaxFieldCount->value();
  options.fieldsCaption = labFields->text();
  options.readSrcMemoFile = DescribeCheckBox(*chkReadSrcMemoFile);
  options.ignoreAllZeroSrcMemoFile = DescribeCheckBox(*chkIgnoreAllZeroSrcMemoFile);
  options.tempDirCaption = labTempDir->text();
  options.tempDir = txtTempDir->text();
  options.bufSizeCaption = labBufSize->text();
  options.bufSize = udBufSize->value();
  return options;
}

QStringList TMainForm::RepairLogLines() const { return SplitLogText(txtRepairLog->toPlainText()); }
