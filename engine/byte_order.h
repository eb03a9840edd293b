#pragma once

#include <cstdint>

namespace mendrel {

// Fixed-order integers of the memo formats: DBT fields are little-endian, FPT big-endian.
inline uint32_t ReadLE32(const void* at) {
  const auto* b = static_cast<const unsigned char*>(at);
  return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

inline uint32_t ReadBE32(const void* at) {
  const auto* b = static_cast<const unsigned char*>(at);
  return uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | uint32_t{b[3]};
}

inline uint16_t ReadLE16(const void* at) {
  const auto* b = static_cast<const unsigned char*>(at);
  return static_cast<uint16_t>(b[0] | b[1] << 8);
}

inline uint16_t ReadBE16(const void* at) {
  const auto* b = static_cast<const unsigned char*>(at);
  return static_cast<uint16_t>(b[0] << 8 | b[1]);
}

inline void WriteLE32(void* at, uint32_t value) {
  auto* b = static_cast<unsigned char*>(at);
  for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline void WriteBE32(void* at, uint32_t value) {
  auto* b = static_cast<unsigned char*>(at);
  for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

inline void WriteLE16(void* at, uint16_t value) {
  auto* b = static_cast<unsigned char*>(at);
  b[0] = static_cast<unsigned char>(value);
  b[1] = static_cast<unsigned char>(value >> 8);
}

inline void WriteBE16(void* at, uint16_t value) {
  auto* b = static_cast<unsigned char*>(at);
  b[0] = static_cast<unsigned char>(value >> 8);
  b[1] = static_cast<unsigned char>(value);
}

}  // namespace mendrel
