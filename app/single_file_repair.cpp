// One repair started from the "Repair" page: the opening log lines, the
// overwrite question, the engine call, the elapsed time and the result.
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>

#include "animation_view.h"
#include "app_strings.h"
#include "drag_edit.h"
#include "elapsed_time.h"
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
  if (ClickTakenByRun()) return;
  const QString source = txtSrcFile->text();
  const QString output = txtDstFile->text();
  bool succeeded = false;
  {
    BeginRun(btnRepair);
    const auto endRun = qScopeGuard([this] { EndRun(btnRepair); });
    succeeded = RunSingleFileRepair(source, output);
  }
  if (succeeded && chkOpenFixed->isChecked()) OpenFixedFile(output);
}

bool TMainForm::ClickTakenByRun() {
  if (FRunning) {
    FRunning = false;  // stop request, answered at the engine's next stop query
    return true;
  }
  return FRunActive;  // a stopped run has not returned yet
}

void TMainForm::BeginRun(QPushButton* button) {
  FRunning = true;
  FRunActive = true;
  button->setText(AppString(StrId::StopRepair));
  txtRepairLog->clear();
  txtRepairLog->repaint();
  Animate->SetActive(true);
  // The window is served at the first progress event of every run.
  FPumpCountdown = 0;
  FLastEventPump.invalidate();
}

void TMainForm::EndRun(QPushButton* button) {
  FRunning = false;
  FRunActive = false;
  button->setText(AppString(StrId::StartRepair));
  Animate->SetActive(false);
  if (FCloseAfterRun) QTimer::singleShot(0, this, &QWidget::close);
}

bool TMainForm::RunSingleFileRepair(const QString& source, const QString& output) {
  const QString separator = AppString(StrId::SeparatorLine);
  AppendLog(AppString(StrId::StartRepairProcess));
  AppendLog(separator);
  if (OutputFileExists(output) &&
      !ConfirmYesNo(this, AppString(StrId::OverwriteQuestion).arg(output))) {
    AppendLog(AppString(StrId::RepairAborted));
    return false;
  }
  AppendLog(
      AppString(StrId::FileToBeRepaired).arg(source, GroupedNumber(GetFileSize64(source))));
  AppendLog(AppString(StrId::OutputFixedFileAs).arg(output));
  AppendLog(separator);

  QElapsedTimer clock;
  clock.start();
  const bool succeeded = RepairWithEngine(source, output);
  const qint64 elapsed = clock.elapsed();

  AppendLog(separator);
  AppendLog(FormatElapsedTime(AppString(StrId::ConsumedTimeMask), elapsed));
  AppendLog(separator);
  AppendLog(AppString(StrId::RepairCompletes));
  AppendLog(separator);
  Animate->SetActive(false);

  const QString resultText = ResultText(succeeded, source, output);
  AppendLog(resultText);
  ShowInformation(this, QString(resultText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  return succeeded;
}

QString TMainForm::ResultText(bool succeeded, const QString& source, const QString& output) const {
  if (!FRunning) return AppString(StrId::UserAborts);
  if (!succeeded) return AppString(StrId::FailToRepair).arg(source);
  const StrId nextStep = HasExtension(output, QStringLiteral(".EXE"))
                             ? StrId::RunFixedSelfExtracting
                             : StrId::OpenFixedFile;
  return AppString(StrId::RepairedSuccessfully).arg(source) + QStringLiteral("\r\n") +
         AppString(nextStep).arg(output);
}

void TMainForm::OpenFixedFile(const QString& path) {
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(path))))
    ShowError(this, AppString(StrId::CannotOpenOrRun).arg(path));
}
