#include "engine_table.h"

#include <algorithm>

namespace tessaly_common {
namespace {

// Room for a reason; the engine cuts a longer one.
constexpr uint32_t kReasonSize = 1024;
// Most values fit; a longer memo costs one more call.
constexpr uint32_t kFirstTextSize = 4096;

MendrelTable* OpenTable(const std::string& path) {
  int32_t kind = MENDREL_OPEN_UNREADABLE;
  char reason[kReasonSize] = {};
  MendrelTable* table = MendrelOpenTable()(path.c_str(), &kind, reason, sizeof reason);
  if (table == nullptr) throw TableOpenFailure(kind, reason);
  return table;
}

}  // namespace

EngineTable::EngineTable(const std::string& path) : table_(OpenTable(path)) {
  info_.size = sizeof info_;
  MendrelGetTableInfo()(table_, &info_);
  fields_.resize(info_.fieldCount);
  for (uint32_t i = 0; i < info_.fieldCount; ++i) {
    fields_[i].size = sizeof fields_[i];
    MendrelGetField()(table_, i, &fields_[i]);
  }
}

EngineTable::~EngineTable() { MendrelCloseTable()(table_); }

bool EngineTable::HasMemoFields() const {
  return std::any_of(fields_.begin(), fields_.end(), [](const MendrelField& field) { return field.isMemo != 0; });
}

bool EngineTable::ReadRecord(uint64_t record, std::vector<char>& bytes) {
  bytes.resize(info_.recordLength);
  const int64_t read = MendrelReadRecord()(table_, record, bytes.data(), info_.recordLength);
  return read > 0 && static_cast<uint64_t>(read) == info_.recordLength;
}

std::string EngineTable::Render(uint64_t record, uint32_t field, uint32_t optionWord, uint32_t textSize) {
  std::string text(textSize, '\0');
  const int64_t length = MendrelRenderField()(table_, record, field, optionWord, text.data(), textSize);
  text.resize(length < 0 ? 0 : std::min<size_t>(static_cast<size_t>(length), textSize));
  return text;
}

std::string EngineTable::RenderWhole(uint64_t record, uint32_t field, uint32_t optionWord) {
  std::string text(kFirstTextSize, '\0');
  int64_t length = MendrelRenderField()(table_, record, field, optionWord, text.data(), kFirstTextSize);
  if (length > kFirstTextSize && length <= UINT32_MAX) {
    text.assign(static_cast<size_t>(length), '\0');
    length = MendrelRenderField()(table_, record, field, optionWord, text.data(), static_cast<uint32_t>(length));
  }
  text.resize(length < 0 ? 0 : std::min<size_t>(static_cast<size_t>(length), text.size()));
  return text;
}

}  // namespace tessaly_common
