#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "mendrel.h"

namespace tessaly_common {

// A table that the engine's read interface would not open; what() is the engine's reason.
class TableOpenFailure : public std::runtime_error {
 public:
  TableOpenFailure(int32_t kind, const std::string& reason) : std::runtime_error(reason), kind(kind) {}
  bool IsNotATable() const { return kind == MENDREL_OPEN_NOT_A_TABLE; }

  int32_t kind;  // MENDREL_OPEN_UNREADABLE or MENDREL_OPEN_NOT_A_TABLE
};

// A table opened through the engine's read interface (ordinals 5 to 10) for as long as
// the object lives: its header facts and fields at once, records as they are asked for.
class EngineTable {
 public:
  // Throws TableOpenFailure.
  explicit EngineTable(const std::string& path);
  ~EngineTable();
  EngineTable(const EngineTable&) = delete;
  EngineTable& operator=(const EngineTable&) = delete;

  const MendrelTableInfo& Info() const { return info_; }
  const std::vector<MendrelField>& Fields() const { return fields_; }
  bool HasMemoFields() const;

  // Record k's bytes, deletion flag first; false unless the whole record was read.
  bool ReadRecord(uint64_t record, std::vector<char>& bytes);
  // A field's display text as the engine renders it into textSize bytes: a memo longer
  // than that ends in the engine's truncation mark. Empty past the end of the file.
  std::string Render(uint64_t record, uint32_t field, uint32_t optionWord, uint32_t textSize);
  // The whole display text, however long.
  std::string RenderWhole(uint64_t record, uint32_t field, uint32_t optionWord);

 private:
  MendrelTable* table_;
  MendrelTableInfo info_{};
  std::vector<MendrelField> fields_;
};

}  // namespace tessaly_common
