#include "repair_session.h"

#include "progress_percent.h"

namespace mendrel {

int32_t RepairSession::Send(int32_t code, const void* data) {
  if (callback == nullptr) return 0;
  return callback(code, const_cast<void*>(data), userData);
}

void RepairSession::SendProgress(uint8_t percent) { Send(EVT_PROGRESS, &percent); }

void RepairSession::SendProgressAt(uint64_t position) {
  if (SourceLength == 0) return;
  SendProgress(PercentOf(position, SourceLength));
}

void RepairSession::SendSourceFile(const char* path) { Send(EVT_SOURCE_FILE, path); }

void RepairSession::SendMessage(const std::string& text) { Send(EVT_MESSAGE, text.c_str()); }

void RepairSession::SendError(const std::string& text) { Send(EVT_ERROR, text.c_str()); }

void RepairSession::SendNotice(const std::string& text) { Send(EVT_NOTICE, text.c_str()); }

void RepairSession::SendMendReport(const std::string& line) { Send(EVT_MEND_REPORT, line.c_str()); }

bool RepairSession::QueryStop() { return Send(EVT_QUERY_STOP, nullptr) != 0; }

}  // namespace mendrel
