// What assistive technology and tooltips say about each control of the
// window: a name where the caption or the label beside it does not give one,
// and a tooltip for every control.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

#include "control_description.h"
#include "drag_edit.h"
#include "hyperlink_label.h"
#include "main_form.h"

void TMainForm::DescribeControls() {
  // The log box's label names it without being a keyboard shortcut to it.
  Label4->setBuddy(txtRepairLog);
  ApplyControlDescriptions({
      {txtSrcFile, std::nullopt, StrId::TipSrcFile},
      {btnSrcMore, StrId::NameSrcMore, StrId::TipSrcMore},
      {btnSrcSearch, StrId::NameSrcSearch, StrId::SearchSourceHint},
      {cmbDBFVersion, std::nullopt, StrId::TipVersion},
      {txtDstFile, std::nullopt, StrId::TipDstFile},
      {btnDstMore, StrId::NameDstMore, StrId::TipDstMore},
      {txtRepairLog, StrId::NameRepairLog, StrId::TipRepairLog},
      {btnRepair, std::nullopt, StrId::TipRepair},
      {btnView, std::nullopt, StrId::TipView},
      {btnViewTable, std::nullopt, StrId::TipViewTable},
      {btnSaveLog, std::nullopt, StrId::TipSaveLog},
      {btnHelp, std::nullopt, StrId::TipHelp},
      {FileList, StrId::NameFileList, StrId::TipFileList},
      {btnRepairFiles, std::nullopt, StrId::TipRepairFiles},
      {btnAddFiles, std::nullopt, StrId::TipAddFiles},
      {btnSearchFiles, std::nullopt, StrId::TipSearchFiles},
      {btnRemoveFiles, std::nullopt, StrId::TipRemoveFiles},
      {btnRemoveAll, std::nullopt, StrId::TipRemoveAll},
      {Gauge, StrId::NameGauge, StrId::TipGauge},
      {chkOpenFixed, std::nullopt, StrId::TipOpenFixed},
      {chkRecoverDeleted, std::nullopt, StrId::TipRecoverDeleted},
      {chkRepairDate, std::nullopt, StrId::TipRepairDate},
      {chkSplitTable, std::nullopt, StrId::TipSplitTable},
      {udMaxFieldCount, StrId::NameMaxFieldCount, StrId::TipMaxFieldCount},
      {chkReadSrcMemoFile, std::nullopt, StrId::TipReadSrcMemoFile},
      {chkIgnoreAllZeroSrcMemoFile, std::nullopt, StrId::TipIgnoreAllZeroMemoFile},
      {txtTempDir, std::nullopt, StrId::TipTempDir},
      {btnMoreDir, StrId::NameMoreDir, StrId::TipMoreDir},
      {udBufSize, std::nullopt, StrId::TipBufSize},
      {chkTemplate, std::nullopt, StrId::TipTemplate},
      {txtTemplate, StrId::NameTemplatePath, StrId::TipTemplatePath},
      {btnTemplateMore, StrId::NameTemplateMore, StrId::TipTemplateMore},
      {labManual, StrId::NameManualLink, StrId::TipManualLink},
      {labLicense, StrId::NameLicenseLink, StrId::TipLicenseLink},
  });
}
