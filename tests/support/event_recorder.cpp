#include "event_recorder.h"

namespace tessaly_test {

Event Progress(int percent) { return Event{EVT_PROGRESS, "", percent}; }
Event Message(const std::string& text) { return Event{EVT_MESSAGE, text}; }
Event Error(const std::string& text) { return Event{EVT_ERROR, text}; }
Event Notice(const std::string& text) { return Event{EVT_NOTICE, text}; }
Event SourceFile(const std::string& path) { return Event{EVT_SOURCE_FILE, path}; }
Event QueryStop() { return Event{EVT_QUERY_STOP, ""}; }
Event Report(const std::string& line) { return Event{EVT_MEND_REPORT, line}; }

std::string Describe(const Event& event) {
  switch (event.code) {
    case EVT_PROGRESS: return "PROGRESS " + std::to_string(event.percent);
    case EVT_SOURCE_FILE: return "SOURCE " + event.text;
    case EVT_MESSAGE: return "MESSAGE " + event.text;
    case EVT_QUERY_STOP: return "QUERY_STOP";
    case EVT_ERROR: return "ERROR " + event.text;
    case EVT_NOTICE: return "NOTICE " + event.text;
    case EVT_MEND_REPORT: return "REPORT " + event.text;
    default: return "CODE " + std::to_string(event.code);
  }
}

int32_t EventRecorder::Callback(int32_t code, void* data, void* userData) {
  auto* self = static_cast<EventRecorder*>(userData);
  Event event{code, ""};
  if (code == EVT_PROGRESS) {
    event.percent = *static_cast<unsigned char*>(data);
  } else if (code != EVT_QUERY_STOP && data != nullptr) {
    event.text = static_cast<const char*>(data);
  }
  self->events.push_back(event);
  if (code == EVT_QUERY_STOP) {
    ++self->queryCount;
    return self->stopWhen && self->stopWhen(self->queryCount) ? -1 : 0;
  }
  return 0;
}

std::vector<Event> EventRecorder::LogEvents() const {
  std::vector<Event> log;
  for (const Event& event : events)
    if (event.code != EVT_PROGRESS && event.code != EVT_QUERY_STOP) log.push_back(event);
  return log;
}

std::vector<std::string> EventRecorder::Messages() const {
  std::vector<std::string> lines;
  for (const Event& event : events)
    if (event.code == EVT_MESSAGE) lines.push_back(event.text);
  return lines;
}

std::vector<std::string> EventRecorder::ReportLines() const {
  std::vector<std::string> lines;
  for (const Event& event : events)
    if (event.code == EVT_MEND_REPORT) lines.push_back(event.text);
  return lines;
}

}  // namespace tessaly_test
