// One repair as the log tells it, for a single file and for each batch entry
// alike: the file and its size, the engine's lines, the time it took and the
// result, with the reason of a failure or where a stopped run left its output.
#include <QCoreApplication>
#include <QElapsedTimer>

#include "app_strings.h"
#include "elapsed_time.h"
#include "failure_reasons.h"
#include "log_lines.h"
#include "main_form.h"
#include "output_tables.h"
#include "path_functions.h"

namespace {

// The reason of a failure the engine did not explain, worded as tessaly-cli words it.
QString NothingRecoveredReason(const QString& source) {
  using namespace tessaly_common;
  return QCoreApplication::translate(kFailureReasonsContext,
                                     FailureReasonText(FailureReason::kNothingRecovered))
      .arg(source);
}

// Worded as tessaly-cli words it.
QString TemplateTableLine(const QString& templatePath) {
  using namespace tessaly_common;
  return QCoreApplication::translate(kLogLinesContext, LogLineText(LogLine::kTemplateTable)).arg(templatePath);
}

QStringList StoppedOutputLines(const OutputTables& outputs) {
  const QList<WrittenTable> written = outputs.WrittenSince();
  if (written.isEmpty()) return {AppString(StrId::StoppedBeforeOutput)};
  QStringList lines;
  for (const WrittenTable& table : written)
    lines << AppString(StrId::PartialOutputHolds).arg(table.path, QString::number(table.records));
  return lines;
}

QStringList ResultLines(RepairOutcome outcome, const QString& source, const QString& output,
                        bool engineReportedError, const OutputTables& outputs) {
  switch (outcome) {
    case RepairOutcome::kStopped:
      return QStringList{AppString(StrId::UserAborts)} + StoppedOutputLines(outputs);
    case RepairOutcome::kFailed: {
      QStringList lines{AppString(StrId::FailToRepair).arg(source)};
      // The engine ends a run that finds no table without a word.
      if (!engineReportedError) lines << NothingRecoveredReason(source);
      return lines;
    }
    case RepairOutcome::kRepaired:
      break;
  }
  const StrId nextStep = HasExtension(output, QStringLiteral(".EXE"))
                             ? StrId::RunFixedSelfExtracting
                             : StrId::OpenFixedFile;
  return {AppString(StrId::RepairedSuccessfully).arg(source), AppString(nextStep).arg(output)};
}

}  // namespace

RepairOutcome TMainForm::RepairAndLog(const QString& source, const QString& output,
                                      QStringList& resultLines) {
  const QString separator = AppString(StrId::SeparatorLine);
  AppendLog(AppString(StrId::FileToBeRepaired).arg(source, GroupedNumber(GetFileSize64(source))));
  AppendLog(AppString(StrId::OutputFixedFileAs).arg(output));
  if (const QString templatePath = GetTemplatePath(); !templatePath.isEmpty())
    AppendLog(TemplateTableLine(templatePath));
  AppendLog(separator);

  const OutputTables outputs(output);
  FRunReports.clear();
  const int errorsBefore = FEngineErrorCount;
  QElapsedTimer clock;
  clock.start();
  const RepairOutcome outcome = RepairWithEngine(source, output);
  const qint64 elapsed = clock.elapsed();

  AppendLog(separator);
  AppendLog(FormatElapsedTime(AppString(StrId::ConsumedTimeMask), elapsed));
  AppendLog(separator);
  AppendLog(AppString(StrId::RepairCompletes));
  AppendLog(separator);

  resultLines = ResultLines(outcome, source, output, FEngineErrorCount != errorsBefore, outputs);
  for (const QString& line : resultLines) AppendLog(line);
  return outcome;
}
