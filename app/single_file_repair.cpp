// One repair started from the "Repair" page: the opening log lines, the
// overwrite question, the repair and its result box, and opening the result.
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QScopeGuard>
#include <QUrl>

#include "animation_view.h"
#include "app_strings.h"
#include "drag_edit.h"
#include "main_form.h"
#include "message_box.h"

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
  {
    BeginRun();
    const auto endRun = qScopeGuard([this] { EndRun(); });
    outcome = RunSingleFileRepair(source, output);
  }
  FLastRunOutcome = outcome;
  if (outcome == RepairOutcome::kRepaired && OpenFixedRequested()) OpenFixedFile(output);
}

RepairOutcome TMainForm::RunSingleFileRepair(const QString& source, const QString& output) {
  AppendLog(AppString(StrId::StartRepairProcess));
  AppendLog(AppString(StrId::SeparatorLine));
  if (OutputFileExists(output) &&
      !ConfirmYesNo(this, AppString(StrId::OverwriteQuestion).arg(output))) {
    AppendLog(AppString(StrId::RepairAborted));
    return RepairOutcome::kStopped;
  }
  QStringList resultLines;
  const RepairOutcome outcome = RepairAndLog(source, output, resultLines);
  Animate->SetActive(false);
  ShowResult(this, resultLines.join(u'\n'), outcome == RepairOutcome::kRepaired);
  return outcome;
}

bool TMainForm::OpenFixedRequested() const {
  return FOpenFixedForRun.value_or(chkOpenFixed->isChecked());
}

void TMainForm::OpenFixedFile(const QString& path) {
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(path))))
    ShowError(this, AppString(StrId::CannotOpenOrRun).arg(path));
}
