#include "held_log.h"

namespace tessaly_cli {

void HeldLog::Progress(unsigned percent) {
  if (static_cast<int>(percent) == percent_) return;
  percent_ = static_cast<int>(percent);
  if (progress_) progress_(percent);
}

void HeldLog::PrintTo(LogSink& log) const {
  for (const Entry& entry : entries_) {
    if (entry.notice) {
      log.Notice(entry.text);
    } else {
      log.Line(entry.text);
    }
  }
}

}  // namespace tessaly_cli
