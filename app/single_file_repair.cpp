// One repair started from the "Repair" page: the opening log lines, the
// overwrite question, the repair and its result box, and opening the result.
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QUrl>

#include "animation_view.h"
#include "app_strings.h"
#include "drag_edit.h"
#include "main_form.h"
#include "message_box.h"
#include "path_functions.h"

namespace {

bool OutputFileExists(const QString& path) {
  const QFileInfo info(path);
  return !path.isEmpty() && info.exists() && !info.isDir();
}

}  // namespace

void TMainForm::btnRepairClick() {
  if (ClickTakenByRun() || !TemplateReadyForRun()) return;
  const QString source = txtSrcFile->text();
  const QString output = txtDstFile->text();
  RepairOutcome outcome;
  FViewAfterRun = false;
  {
    BeginRun();
    const auto endRun = qScopeGuard([this] { EndRun(); });
    outcome = RunSingleFileRepair(source, output);
  }
  FLastRunOutcome = outcome;
  if (outcome == RepairOutcome::kRepaired && OpenFixedRequested()) OpenFixedFile(output);
  if (FViewAfterRun) btnViewClick();
}

RepairOutcome TMainForm::RunSingleFileRepair(const QString& source, const QString& output) {
  FLastRepairTables.clear();
  btnView->setEnabled(false);
  AppendLog(AppString(StrId::StartRepairProcess));
  AppendLog(AppString(StrId::SeparatorLine));
  if (OutputFileExists(output) &&
      !ConfirmYesNo(this, AppString(StrId::OverwriteQuestion).arg(output))) {
    AppendLog(AppString(StrId::RepairAborted));
    return RepairOutcome::kStopped;
  }
  QStringList resultLines;
  const RepairOutcome outcome = RepairAndLog(source, output, resultLines);
  NoteRepairedTables(source, output);
  Animate->SetActive(false);
  const QString result = resultLines.join(u'\n');
  // A command line that ends the program after the run has no use for the viewer.
  if (outcome == RepairOutcome::kRepaired && !FLastRepairTables.isEmpty() && !FEndRequested)
    FViewAfterRun = ShowResultOfferingView(this, result, true);
  else
    ShowResult(this, result, outcome == RepairOutcome::kRepaired);
  return outcome;
}

// Output table k (the output path, then its parts) is the one the k-th mend report tells of.
void TMainForm::NoteRepairedTables(const QString& source, const QString& output) {
  for (int part = 0; part < FRunReports.size(); ++part) {
    const QString path = part == 0 ? output : MakeSplitFileName(output, part);
    FLastRepairTables.append({path, RepairReport{source, FRunReports[part]}});
  }
  btnView->setEnabled(!FLastRepairTables.isEmpty());
}

bool TMainForm::OpenFixedRequested() const {
  return FOpenFixedForRun.value_or(chkOpenFixed->isChecked());
}

void TMainForm::OpenFixedFile(const QString& path) {
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(path))))
    ShowError(this, AppString(StrId::CannotOpenOrRun).arg(path));
}
