// How the main window reacts to the engine's events during a run.
#include <QCoreApplication>
#include <QFile>
#include <QProgressBar>

#include "app_strings.h"
#include "engine_binding.h"
#include "main_form.h"
#include "mendrel.h"
#include "message_box.h"
#include "viewer/record_area.h"

namespace {

constexpr unsigned kFullPercent = 100;
// The engine reports progress per record; the window is served at most this
// often so that a large table spends its time in the engine, and the clock is
// read only every so many events or when the gauge moves.
constexpr qint64 kEventPumpIntervalMs = 8;
constexpr int kProgressEventsPerClockCheck = 512;

constexpr uintptr_t kReservedSlot = 0;

QString EngineText(const void* data) {
  return data == nullptr ? QString() : QString::fromLocal8Bit(static_cast<const char*>(data));
}

}  // namespace

bool TMainForm::OnMessage(int32_t code, const void* data) {
  switch (code) {
    case EVT_PROGRESS: {
      const bool moved = data != nullptr && ShowProgress(*static_cast<const unsigned char*>(data));
      if (moved || --FPumpCountdown <= 0) PumpEventsIfDue();
      return false;
    }
    case EVT_MESSAGE: {
      const QString text = EngineText(data);
      AppendLog(text == u"-" ? AppString(StrId::SeparatorLine) : text);
      return false;
    }
    case EVT_QUERY_STOP:
      return !FRunning;
    case EVT_ERROR:
      ++FEngineErrorCount;
      AppendLog(AppString(StrId::SeparatorLine));
      AppendLog(EngineText(data));
      AppendLog(AppString(StrId::SeparatorLine));
      return false;
    case EVT_NOTICE:
      ShowInformation(this, EngineText(data));
      return false;
    case EVT_MEND_REPORT: {
      const QString line =
          data == nullptr ? QString() : QString::fromUtf8(static_cast<const char*>(data));
      AppendLog(line);
      NoteReportLine(line);
      return false;
    }
    default:  // EVT_SOURCE_FILE and codes this window does not know
      return false;
  }
}

void TMainForm::NoteReportLine(const QString& line) {
  // Each output table's report begins with its record-area line.
  if (FRunReports.isEmpty() || ParseRecordArea(line)) FRunReports.append(QStringList());
  FRunReports.last().append(line);
}

bool TMainForm::ShowProgress(unsigned percent) {
  const int value = int(percent > kFullPercent ? kFullPercent : percent);
  if (value == FGaugePercent) return false;
  FGaugePercent = value;
  Gauge->setValue(value);
  return true;
}

void TMainForm::PumpEventsIfDue() {
  FPumpCountdown = kProgressEventsPerClockCheck;
  if (FLastEventPump.isValid() && FLastEventPump.elapsed() < kEventPumpIntervalMs) return;
  QCoreApplication::processEvents();
  FLastEventPump.start();
}

RepairOutcome TMainForm::RepairWithEngine(const QString& source, const QString& target) {
  const QByteArray sourceBytes = QFile::encodeName(source);
  const QByteArray targetBytes = QFile::encodeName(target);
  const QByteArray templateBytes = QFile::encodeName(GetTemplatePath());
  const int errorsBefore = FEngineErrorCount;
  TMainForm* self = this;
  const int32_t result = CallRepairEngine(sourceBytes.constData(), kReservedSlot, GetRepairOptions(),
                                          targetBytes.constData(), RepairCallback, &self,
                                          templateBytes.constData());
  if (!FRunning) return RepairOutcome::kStopped;
  return result != 0 && FEngineErrorCount == errorsBefore ? RepairOutcome::kRepaired
                                                          : RepairOutcome::kFailed;
}
