// The library boundary: the entries are exported by ordinal only (the ordinal table on
// ELF, the module-definition file on Windows), and no exception crosses it.
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

int32_t RunRepair(const RepairArgs& args, uintptr_t templatePath) {
  try {
    mendrel::RepairSession session(reinterpret_cast<ProgressCallback>(args.callback),
                                   reinterpret_cast<void*>(args.userData));
    session.TemplatePath = TextOrEmpty(templatePath);
    const std::string source = TextOrEmpty(args.sourcePath);
    const std::string output = TextOrEmpty(args.outputPath);
    return session.RepairTable(source.c_str(), static_cast<uint32_t>(args.reserved),
                               static_cast<uint32_t>(args.optionWord), output.c_str());
  } catch (...) {
    return 0;
  }
}

int32_t Repair(const void* maskedArgs) {
  if (maskedArgs == nullptr) return 0;
  RepairArgs args;
  std::memcpy(&args, maskedArgs, sizeof args);
  MendrelMaskArgs(&args);
  return RunRepair(args, 0);
}

// The block's size comes first; only the slots this engine knows are read.
int32_t RepairEx(const void* maskedArgs) {
  if (maskedArgs == nullptr) return 0;
  unsigned char sizeBytes[sizeof(uintptr_t)];
  std::memcpy(sizeBytes, maskedArgs, sizeof sizeBytes);
  for (unsigned char& byte : sizeBytes) byte ^= static_cast<unsigned char>(MENDREL_MASK_KEY);
  uintptr_t size = 0;
  std::memcpy(&size, sizeBytes, sizeof size);
  if (size < sizeof(RepairArgsEx)) return 0;
  RepairArgsEx args;
  std::memcpy(&args, maskedArgs, sizeof args);
  MendrelMaskArgsEx(&args);
  return RunRepair(args.args, args.templatePath);
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
int32_t MendrelOrdinal11(const void* maskedArgsEx) { return RepairEx(maskedArgsEx); }
}
#else
extern "C" __attribute__((visibility("default"))) void* const MendrelOrdinals[12] = {
    nullptr,
    reinterpret_cast<void*>(&Repair),
    reinterpret_cast<void*>(&DisplayFieldValue),
    reinterpret_cast<void*>(&DisplayMemoValue),
    reinterpret_cast<void*>(&IsAllZeroFile),
    nullptr,  // 5 to 10: the read interface
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    reinterpret_cast<void*>(&RepairEx),
};
#endif
