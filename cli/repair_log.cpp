#include "repair_log.h"

#include <cstring>

#include "cli_texts.h"
#include "mendrel.h"
#include "stop_request.h"

namespace tessaly_cli {
namespace {

constexpr unsigned kFullPercent = 100;
constexpr int kBarWidth = 40;
constexpr int32_t kStopAnswer = -1;

const char* TextOf(const void* data) { return data != nullptr ? static_cast<const char*>(data) : ""; }

}  // namespace

void ProgressBar::Show(unsigned percent) {
  if (!enabled_) return;
  const int clamped = static_cast<int>(percent > kFullPercent ? kFullPercent : percent);
  // The engine reports after every record: draw only when the figure moves.
  if (visible_ && clamped == percent_) return;
  percent_ = clamped;
  Draw();
}

void ProgressBar::Draw() {
  const int filled = percent_ * kBarWidth / static_cast<int>(kFullPercent);
  std::string bar = "\r[";
  bar.append(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(kBarWidth - filled), ' ');
  bar += "] " + std::to_string(percent_) + "%";
  std::fputs(bar.c_str(), terminal_);
  std::fflush(terminal_);
  visible_ = true;
}

void ProgressBar::Erase() {
  if (!visible_) return;
  std::fputs("\r\033[K", terminal_);
  std::fflush(terminal_);
  visible_ = false;
}

ConsoleLog::ConsoleLog(std::FILE* log, std::FILE* messages, bool progressBar)
    : log_(log), messages_(messages), bar_(messages, progressBar) {}

void ConsoleLog::Line(const std::string& text) {
  bar_.Erase();
  std::fputs(text.c_str(), log_);
  std::fputc('\n', log_);
  // Each line is on its way at once, so a reader of a pipe follows the run.
  std::fflush(log_);
}

void ConsoleLog::Notice(const std::string& text) {
  bar_.Erase();
  std::fflush(log_);
  std::fputs(FormatCliText(kTextNotice, text.c_str()).c_str(), messages_);
  std::fputc('\n', messages_);
  std::fflush(messages_);
}

void RepairLog::Separator() { Line(CliText(kTextSeparator)); }

void RepairLog::Framed(const std::string& text) {
  Separator();
  Line(text);
  Separator();
}

int32_t RepairLog::Callback(int32_t code, void* data, void* userData) {
  return static_cast<RepairLog*>(userData)->OnMessage(code, data);
}

int32_t RepairLog::OnMessage(int32_t code, const void* data) {
  // Every record sends these two: they stay clear of the string work of the log lines.
  if (code == EVT_QUERY_STOP) return StopRequested() ? kStopAnswer : 0;
  if (code == EVT_PROGRESS) {
    if (data != nullptr) sink_.Progress(*static_cast<const unsigned char*>(data));
    return 0;
  }
  OnLogEvent(code, data);
  return 0;
}

void RepairLog::OnLogEvent(int32_t code, const void* data) {
  switch (code) {
    case EVT_MESSAGE:
      if (std::strcmp(TextOf(data), "-") == 0) {
        Separator();
      } else {
        Line(TextOf(data));
      }
      break;
    case EVT_ERROR:
      ++errorCount_;
      Framed(TextOf(data));
      break;
    case EVT_NOTICE:
      Notice(TextOf(data));
      break;
    case EVT_MEND_REPORT:
      Line(TextOf(data));
      break;
    default:
      break;
  }
}

}  // namespace tessaly_cli
