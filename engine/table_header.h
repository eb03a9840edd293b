#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace mendrel {

// The 32 bytes at the start of a DBF table.
inline constexpr size_t kTableHeaderSize = 32;
using TableHeader = std::array<uint8_t, kTableHeaderSize>;

inline constexpr size_t kHeaderVersion = 0;
inline constexpr size_t kHeaderYear = 1;  // years since 1900
inline constexpr size_t kHeaderMonth = 2;
inline constexpr size_t kHeaderDay = 3;
inline constexpr size_t kHeaderRecordCount = 4;   // 32-bit
inline constexpr size_t kHeaderLength = 8;        // 16-bit: offset of the first record
inline constexpr size_t kHeaderRecordLength = 10;  // 16-bit, deletion flag included
inline constexpr size_t kHeaderReserved = 12;      // 16-bit
inline constexpr size_t kHeaderTableFlags = 28;
inline constexpr size_t kHeaderLanguageDriver = 29;  // the code page of the table's text
inline constexpr size_t kHeaderReservedEnd = 30;   // 16-bit

inline constexpr uint8_t kDescriptorTerminator = 0x0D;
// The back-link area some versions keep after the descriptor terminator.
inline constexpr uint32_t kBackLinkSize = 263;
inline constexpr uint8_t kEndMark = 0x1A;
inline constexpr uint8_t kLiveRecordFlag = ' ';
inline constexpr uint8_t kDeletedRecordFlag = '*';

// Version bytes (byte 0) the engine tells apart.
inline constexpr uint8_t kVersionFoxBase = 0x02;
inline constexpr uint8_t kVersionDbase3 = 0x03;
inline constexpr uint8_t kVersionDbase4 = 0x04;
inline constexpr uint8_t kVersionDbase5 = 0x05;
inline constexpr uint8_t kVersionVisualFoxPro = 0x30;
inline constexpr uint8_t kVersionVisualFoxProAutoIncrement = 0x31;
inline constexpr uint8_t kVersionVisualFoxProVarchar = 0x32;
inline constexpr uint8_t kVersionDbase4SqlSystem = 0x43;
inline constexpr uint8_t kVersionDbase4WithSqlTable = 0x7B;
inline constexpr uint8_t kVersionDbase3WithMemo = 0x83;
inline constexpr uint8_t kVersionDbase4WithMemo = 0x8B;
inline constexpr uint8_t kVersionDbase4SqlTable = 0x8E;
inline constexpr uint8_t kVersionDbase4SqlSystemWithMemo = 0xB3;
inline constexpr uint8_t kVersionSixWithMemo = 0xE5;
inline constexpr uint8_t kVersionFoxProWithMemo = 0xF5;
inline constexpr uint8_t kVersionFoxProWithDbaseMemo = 0xFB;

// The Visual FoxPro versions share their field types, memo kind and table flags.
inline bool IsVisualFoxProFamily(uint8_t version) {
  return version == kVersionVisualFoxPro || version == kVersionVisualFoxProAutoIncrement ||
         version == kVersionVisualFoxProVarchar;
}

// Table flags of the Visual FoxPro versions.
inline constexpr uint8_t kTableFlagHasMemo = 0x02;
inline constexpr uint8_t kTableFlagExtraHeaderBytes = 0x04;

inline uint16_t ReadLittle16(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

inline void WriteLittle16(uint8_t* bytes, uint16_t value) {
  bytes[0] = static_cast<uint8_t>(value);
  bytes[1] = static_cast<uint8_t>(value >> 8);
}

inline void WriteLittle32(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace mendrel
