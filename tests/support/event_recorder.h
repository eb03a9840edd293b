#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "mendrel.h"

namespace tessaly_test {

// One event as the engine delivered it: the percent for progress, the text otherwise.
struct Event {
  int32_t code;
  std::string text;
  int percent = -1;

  bool operator==(const Event& other) const {
    return code == other.code && text == other.text && percent == other.percent;
  }
};

Event Progress(int percent);
Event Message(const std::string& text);
Event Error(const std::string& text);
Event Notice(const std::string& text);
Event SourceFile(const std::string& path);
Event QueryStop();
Event Report(const std::string& line);

std::string Describe(const Event& event);
// Lets test failures show events as text.
inline void PrintTo(const Event& event, std::ostream* out) { *out << Describe(event); }

// Records every event of a run; answers stop queries through stopAfter.
class EventRecorder {
 public:
  static int32_t Callback(int32_t code, void* data, void* userData);

  std::vector<Event> events;
  // Called for every stop query with the number of queries so far (1-based); true stops.
  std::function<bool(int)> stopWhen;
  int queryCount = 0;

  // The events without progress and stop queries: the log a user reads.
  std::vector<Event> LogEvents() const;
  std::vector<std::string> Messages() const;
  // The lines of the mend report, in the order sent.
  std::vector<std::string> ReportLines() const;
};

// Fills, masks and sends a block through ordinal 1 of the loaded library.
int32_t RunRepair(const std::string& source, const std::string& output, uint32_t optionWord,
                  EventRecorder* recorder, uintptr_t reserved = 0);

// The same through ordinal 11, with a template table (none when empty) and the size the
// block announces.
int32_t RunRepairWithTemplate(const std::string& source, const std::string& output, uint32_t optionWord,
                              const std::string& templatePath, EventRecorder* recorder,
                              uintptr_t announcedSize = sizeof(RepairArgsEx));

}  // namespace tessaly_test
