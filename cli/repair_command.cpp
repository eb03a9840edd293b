#include "repair_command.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "cli_platform.h"
#include "cli_texts.h"
#include "failure_reasons.h"
#include "fixed_file_name.h"
#include "log_format.h"
#include "log_lines.h"
#include "mendrel.h"
#include "parallel_repairs.h"
#include "repair_call.h"
#include "stop_request.h"

namespace tessaly_cli {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;

// Also a link that leads nowhere: writing through it would create its target.
bool PathExists(const std::string& path) { return NameTaken(path); }

void LogResult(RepairOutcome outcome, const std::string& source, const std::string& output,
               RepairLog& log) {
  if (outcome == RepairOutcome::kStopped) {
    log.Line(CliText(kTextUserAborts));
  } else if (outcome == RepairOutcome::kRepaired) {
    log.Line(FormatCliText(kTextRepairedSuccessfully, source.c_str()));
    const bool selfExtracting = HasExtension(output, ".EXE");
    log.Line(FormatCliText(selfExtracting ? kTextNowRunSelfExtracting : kTextNowOpen,
                           output.c_str()));
  } else {
    log.Line(FormatCliText(kTextFailToRepair, source.c_str()));
  }
}

}  // namespace

int32_t CallRepairEngine(const std::string& source, const std::string& output,
                         uint32_t optionWord, const std::string& templatePath, RepairLog& log) {
  RepairArgs args{};
  args.sourcePath = reinterpret_cast<uintptr_t>(source.c_str());
  args.reserved = 0;
  args.optionWord = optionWord;
  args.outputPath = reinterpret_cast<uintptr_t>(output.c_str());
  args.callback = reinterpret_cast<uintptr_t>(&RepairLog::Callback);
  args.userData = reinterpret_cast<uintptr_t>(&log);
  return tessaly_common::CallRepairEntry(args, templatePath.c_str());
}

RepairOutcome RepairOneFile(const std::string& source, const std::string& output,
                            const RepairRequest& request, RepairLog& log) {
  log.Line(CliText(kTextStartRepair));
  log.Separator();
  if (!request.overwrite && PathExists(output)) {
    log.Line(CliText(kTextRepairAborted));
    log.Notice(FormatCliText(kTextOutputExists, output.c_str()));
    return RepairOutcome::kRefused;
  }
  const std::string size = GroupThousands(GetFileSize64(source), UserThousandsSeparator());
  log.Line(FormatCliText(kTextFileToRepair, source.c_str(), size.c_str()));
  log.Line(FormatCliText(kTextOutputFixedAs, output.c_str()));
  if (!request.templatePath.empty())
    log.Line(tessaly_common::FormatLogLine(tessaly_common::LogLine::kTemplateTable, request.templatePath));
  log.Separator();

  const auto started = std::chrono::steady_clock::now();
  const uint32_t errorsBefore = log.ErrorCount();
  const int32_t result = CallRepairEngine(source, output, request.OptionWord(), request.templatePath, log);
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  log.EndOfRun();

  log.Separator();
  log.Line(FormatConsumedTime(elapsed));
  log.Separator();
  log.Line(CliText(kTextRepairCompletes));
  log.Separator();
  // The engine answers 1 once it found fields, also when an error cut the output short.
  const bool engineError = log.ErrorCount() != errorsBefore;
  const RepairOutcome outcome = StopRequested()              ? RepairOutcome::kStopped
                                : result != 0 && !engineError ? RepairOutcome::kRepaired
                                                              : RepairOutcome::kFailed;
  LogResult(outcome, source, output, log);
  // The engine ends a run that finds no table without a word.
  if (outcome == RepairOutcome::kFailed && !engineError)
    log.Notice(tessaly_common::FormatFailureReason(
        tessaly_common::FailureReason::kNothingRecovered, source));
  return outcome;
}

std::string OutputFor(const RepairRequest& request, const std::string& source) {
  return request.output.empty() ? MakeFixedFileName(source) : request.output;
}

namespace {

// One table after the other, each line printed as it comes.
std::vector<RepairOutcome> RepairInTurn(const RepairRequest& request, LogSink& console) {
  RepairLog log(console);
  std::vector<RepairOutcome> outcomes;
  for (const std::string& source : request.sources) {
    if (StopRequested()) break;
    if (!outcomes.empty()) log.Line("");
    outcomes.push_back(RepairOneFile(source, OutputFor(request, source), request, log));
  }
  return outcomes;
}

}  // namespace

int RunRepairCommand(const RepairRequest& request, ConsoleLog& console) {
  const std::vector<RepairOutcome> outcomes = request.Jobs() > 1 && request.sources.size() > 1
                                                  ? RepairAtOnce(request, console)
                                                  : RepairInTurn(request, console);
  const auto repaired = std::count(outcomes.begin(), outcomes.end(), RepairOutcome::kRepaired);
  if (request.sources.size() > 1) {
    console.Line("");
    console.Line(FormatCliText(kTextFilesRepaired, static_cast<int>(repaired)));
  }
  return static_cast<size_t>(repaired) == request.sources.size() ? kExitSuccess : kExitFailure;
}

}  // namespace tessaly_cli
