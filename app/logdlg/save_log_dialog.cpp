#include "logdlg/save_log_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QToolTip>
#include <QVBoxLayout>

#include "logdlg/logdlg_strings.h"

TSaveLogDialog::TSaveLogDialog(QWidget* parent)
    : QFileDialog(parent), InfoPanel(new QWidget(this)), SystemInfoCheckBox(new QCheckBox(InfoPanel)) {
  // The check box needs the dialog's own widgets; a native dialog offers no room for it.
  setOption(QFileDialog::DontUseNativeDialog);
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setDefaultSuffix(LogDlgText(kTextLogExtension));
  setNameFilter(LogDlgText(kTextLogFilter));
  setSizeGripEnabled(true);

  InfoPanel->setObjectName(QStringLiteral("InfoPanel"));
  SystemInfoCheckBox->setObjectName(QStringLiteral("SystemInfoCheckBox"));
  SystemInfoCheckBox->setText(LogDlgText(kTextIncludeSystemInfo));
  SystemInfoCheckBox->setToolTip(LogDlgText(kTextIncludeSystemInfoHint));
  SystemInfoCheckBox->setChecked(true);
  auto* panelLayout = new QVBoxLayout(InfoPanel);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  panelLayout->addWidget(SystemInfoCheckBox, 0, Qt::AlignTop);
  PlaceInfoPanel();
}

// Below the standard controls, indented like the file-name box.
void TSaveLogDialog::PlaceInfoPanel() {
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(InfoPanel, grid->rowCount(), 1, 1, qMax(1, grid->columnCount() - 1));
  } else if (layout() != nullptr) {
    layout()->addWidget(InfoPanel);
  }
}

bool TSaveLogDialog::Execute() { return exec() == QDialog::Accepted; }

QString TSaveLogDialog::FileName() const { return selectedFiles().value(0); }

bool TSaveLogDialog::IncludeSysInfo() const { return SystemInfoCheckBox->isChecked(); }

void TSaveLogDialog::SetIncludeSysInfo(bool include) { SystemInfoCheckBox->setChecked(include); }

std::optional<SaveLogTarget> TSaveLogDialog::Ask() {
  if (!Execute()) return std::nullopt;
  return SaveLogTarget{FileName(), IncludeSysInfo()};
}

void TSaveLogDialog::showEvent(QShowEvent* event) {
  // The caption comes from the string table each time, so a changed translation shows.
  SystemInfoCheckBox->setText(LogDlgText(kTextIncludeSystemInfo));
  QFileDialog::showEvent(event);
}

void TSaveLogDialog::done(int result) {
  QToolTip::hideText();
  QFileDialog::done(result);
}
