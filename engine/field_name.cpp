#include "field_name.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

#include "engine_strings.h"

namespace mendrel {
namespace {

constexpr uint8_t kNameFirstFallback = 'F';
constexpr uint8_t kNameCharFallback = '_';

// Numbers the generated names of every run in the process; never reset. Runs on several
// threads at once draw distinct numbers from it.
std::atomic<uint32_t> g_generatedNameCounter{1};

bool IsAsciiLetter(uint8_t byte) { return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'); }

bool IsNameChar(uint8_t byte) { return IsAsciiLetter(byte) || (byte >= '0' && byte <= '9') || byte == '_'; }

size_t NameLength(const uint8_t* name, size_t size) {
  const void* nul = std::memchr(name, 0, size);
  return nul != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - name) : size;
}

void WriteGeneratedName(uint8_t* name, size_t size) {
  const uint32_t number = g_generatedNameCounter.fetch_add(1, std::memory_order_relaxed);
  const std::string generated = FormatText(kTextGeneratedFieldName, static_cast<unsigned long>(number));
  const size_t copied = std::min(size, generated.size());
  std::memcpy(name, generated.data(), copied);
  std::memset(name + copied, 0, size - copied);
}

}  // namespace

bool IsValidFieldName(const uint8_t* name, size_t size) {
  if (size == 0 || !IsAsciiLetter(name[0])) return false;
  const size_t length = NameLength(name, size);
  return std::all_of(name + 1, name + length, IsNameChar) &&
         std::all_of(name + length, name + size, [](uint8_t byte) { return byte == 0; });
}

void RepairFieldName(uint8_t* name, size_t size) {
  if (size == 0 || IsValidFieldName(name, size)) return;
  const size_t length = NameLength(name, size);
  if (!IsAsciiLetter(name[0]) && std::none_of(name + 1, name + std::max<size_t>(length, 1), IsNameChar)) {
    WriteGeneratedName(name, size);
    return;
  }
  if (!IsAsciiLetter(name[0])) name[0] = kNameFirstFallback;
  for (size_t i = 1; i < length; ++i)
    if (!IsNameChar(name[i])) name[i] = kNameCharFallback;
  std::memset(name + length, 0, size - length);
}

}  // namespace mendrel
