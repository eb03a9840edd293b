#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaly_fuzz {

// One whole repair: a source table, its memo file and how the run is driven.
// Layout: option word (4 bytes, little-endian), control byte, table length (4 bytes,
// little-endian, cut to what follows), the table, the memo file (the rest). Bit 5 of the
// option word, which the engine does not use, sends the run through ordinal 11 with the
// table as its own template.
inline constexpr uint32_t kOwnTemplateBit = 0x20;

struct RepairInput {
  uint32_t optionWord = 0;
  bool fptMemo = false;         // the memo file is named .fpt, else .dbt
  bool upperCaseNames = false;  // T.DBF and T.DBT instead of t.dbf and t.dbt
  bool noMemoFile = false;
  uint8_t stopFromQuery = 0;  // answer stop queries from this one on (1-based); 0 never
  std::string table;
  std::string memo;
};

RepairInput DecodeRepairInput(const uint8_t* data, size_t size);
std::string EncodeRepairInput(const RepairInput& input);

// One call of each display service. Layout: the field descriptor (32 bytes), option
// word, block size (4 bytes each, little-endian), text buffer size (2 bytes,
// little-endian), control byte, the field's bytes (as many as the descriptor's length
// says; missing ones are zero), the memo file (the rest).
struct DisplayInput {
  std::string descriptor;  // always 32 bytes
  uint32_t optionWord = 0;
  uint32_t blockSize = 0;
  uint16_t textSize = 0;
  bool fptPath = false;
  bool nullFieldBytes = false;
  bool nullDescriptor = false;
  bool noHandle = false;       // handle 0
  bool invalidHandle = false;  // handle -1
  std::string fieldBytes;      // exactly the descriptor's length
  std::string memo;
};

constexpr size_t kDescriptorSize = 32;
constexpr size_t kDescriptorLengthOffset = 16;

DisplayInput DecodeDisplayInput(const uint8_t* data, size_t size);
std::string EncodeDisplayInput(const DisplayInput& input);

}  // namespace tessaly_fuzz
