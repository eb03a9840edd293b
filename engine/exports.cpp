// The library boundary: the four entries are exported by ordinal only (the ordinal
// table on ELF, the module-definition file on Windows), and no exception crosses it.
#include <cstring>
#include <string>

#include "all_zero_file.h"
#include "field_display.h"
#include "mendrel.h"
#include "repair_session.h"
#include "tessaly_version.h"

TESSALY_VERSION_NOTE();

namespace {

const char* TextOrEmpty(uintptr_t pointer) {
  return pointer != 0 ? reinterpret_cast<const char*>(pointer) : "";
}

int32_t Repair(const void* maskedArgs) {
  if (maskedArgs == nullptr) return 0;
  RepairArgs args;
  std::memcpy(&args, maskedArgs, sizeof args);
  MendrelMaskArgs(&args);
  try {
    mendrel::RepairSession session(reinterpret_cast<ProgressCallback>(args.callback),
                                   reinterpret_cast<void*>(args.userData));
    const std::string source = TextOrEmpty(args.sourcePath);
    const std::string output = TextOrEmpty(args.outputPath);
    return session.RepairTable(source.c_str(), static_cast<uint32_t>(args.reserved),
                               static_cast<uint32_t>(args.optionWord), output.c_str());
  } catch (...) {
    return 0;
  }
}

void DisplayFieldValue(char* fieldBytes, const unsigned char* descriptor, uint32_t optionWord) {
  try {
    mendrel::DisplayFieldValue(fieldBytes, descriptor, optionWord);
  } catch (...) {
  }
}

void DisplayMemoValue(const char* fieldBytes, const unsigned char* descriptor, intptr_t memoHandle,
                      uint32_t blockSize, const char* memoPath, char* text, uint32_t textSize) {
  try {
    mendrel::DisplayMemoValue(fieldBytes, descriptor, memoHandle, blockSize, memoPath, text,
                              textSize);
  } catch (...) {
  }
}

int32_t IsAllZeroFile(const char* path) {
  try {
    return path != nullptr && mendrel::IsAllZeroFile(path) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

}  // namespace

#if defined(_WIN32)
extern "C" {
int32_t MendrelOrdinal1(const void* maskedArgs) { return Repair(maskedArgs); }
void MendrelOrdinal2(char* fieldBytes, const unsigned char* descriptor, uint32_t optionWord) {
  DisplayFieldValue(fieldBytes, descriptor, optionWord);
}
void MendrelOrdinal3(const char* fieldBytes, const unsigned char* descriptor, intptr_t memoHandle,
                     uint32_t blockSize, const char* memoPath, char* text, uint32_t textSize) {
  DisplayMemoValue(fieldBytes, descriptor, memoHandle, blockSize, memoPath, text, textSize);
}
int32_t MendrelOrdinal4(const char* path) { return IsAllZeroFile(path); }
}
#else
extern "C" __attribute__((visibility("default"))) void* const MendrelOrdinals[5] = {
    nullptr,
    reinterpret_cast<void*>(&Repair),
    reinterpret_cast<void*>(&DisplayFieldValue),
    reinterpret_cast<void*>(&DisplayMemoValue),
    reinterpret_cast<void*>(&IsAllZeroFile),
};
#endif
