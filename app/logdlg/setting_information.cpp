#include "logdlg/setting_information.h"

#include <QCheckBox>

#include "logdlg/logdlg_strings.h"

CheckBoxDescription DescribeCheckBox(const QCheckBox& box) { return {box.text(), box.isChecked()}; }

QString CheckBoxStateText(const CheckBoxDescription& box) {
  return LogDlgText(kTextCheckBoxState)
      .arg(box.caption, LogDlgText(box.checked ? kTextYes : kTextNo));
}

void AddSettingInformation(QStringList& list, const OptionControlsDescription& options) {
  const QChar blank = u' ';
  list.append(LogDlgText(kTextSettingInformation));
  list.append(CheckBoxStateText(options.openFixed));
  list.append(CheckBoxStateText(options.recoverDeleted));
  list.append(CheckBoxStateText(options.repairDate));
  list.append(CheckBoxStateText(options.splitTable));
  list.append(options.splitTable.caption + blank + QString::number(options.maxFieldCount) + blank +
              options.fieldsCaption);
  list.append(CheckBoxStateText(options.readSrcMemoFile));
  list.append(CheckBoxStateText(options.ignoreAllZeroSrcMemoFile));
  list.append(options.tempDirCaption + blank + options.tempDir);
  list.append(options.bufSizeCaption + blank + QString::number(options.bufSize));
  list.append(LogDlgText(kTextSeparator));
  list.append(LogDlgText(kTextEndOfSettingInformation));
  list.append(LogDlgText(kTextSeparator));
}
