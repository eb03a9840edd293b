// The one run the window has at a time, single-file or batch: both start
// buttons say "Stop Repair" while it lasts, and a click on either only asks it
// to stop.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "animation_view.h"
#include "app_strings.h"
#include "main_form.h"

bool TMainForm::ClickTakenByRun() {
  if (FRunning) {
    FRunning = false;  // stop request, answered at the engine's next stop query
    return true;
  }
  return FRunActive;  // a stopped run has not returned yet
}

void TMainForm::BeginRun() {
  FRunning = true;
  FRunActive = true;
  SetStartButtonCaptions(AppString(StrId::StopRepair));
  btnRepair->setEnabled(true);  // whatever the path boxes hold, it stops the run
  txtRepairLog->clear();
  txtRepairLog->repaint();
  FLogShowsBatch = false;
  Animate->SetActive(true);
  // The window is served at the first progress event of every run.
  FPumpCountdown = 0;
  FLastEventPump.invalidate();
}

void TMainForm::EndRun() {
  FRunning = false;
  FRunActive = false;
  SetStartButtonCaptions(AppString(StrId::StartRepair));
  txtDstFileChange();
  Animate->SetActive(false);
  if (FCloseAfterRun) QTimer::singleShot(0, this, &QWidget::close);
}

void TMainForm::SetStartButtonCaptions(const QString& caption) {
  btnRepair->setText(caption);
  btnRepairFiles->setText(caption);
}
