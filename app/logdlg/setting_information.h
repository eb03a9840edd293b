#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;

// A check box as the saved log reports it: its caption, accelerator ampersands and
// trailing blanks included, and whether it is ticked.
struct CheckBoxDescription {
  QString caption;
  bool checked = false;
};

// The live option controls of the main window, filled from the controls when a log is
// saved (captions exactly as the controls show them, positions of the number boxes).
struct OptionControlsDescription {
  CheckBoxDescription openFixed;
  CheckBoxDescription recoverDeleted;
  CheckBoxDescription repairDate;
  CheckBoxDescription splitTable;
  int maxFieldCount = 0;
  QString fieldsCaption;
  CheckBoxDescription readSrcMemoFile;
  CheckBoxDescription ignoreAllZeroSrcMemoFile;
  QString tempDirCaption;
  QString tempDir;
  QString bufSizeCaption;
  int bufSize = 0;
};

CheckBoxDescription DescribeCheckBox(const QCheckBox& box);

// "caption: Yes" or "caption: No".
QString CheckBoxStateText(const CheckBoxDescription& box);

// Appends the setting-information block, closed by a separator, its end line and a
// separator.
void AddSettingInformation(QStringList& list, const OptionControlsDescription& options);
