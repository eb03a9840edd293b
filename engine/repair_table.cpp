#include "repair_session.h"

namespace mendrel {

// Placeholder pass until the full repair lands: announces the run and the source.
int32_t RepairSession::RepairTable(const char* sourcePath, uint32_t /*reserved*/,
                                   uint32_t optionWord, const char* /*outputPath*/) {
  options.Unpack(optionWord);
  SendProgress(0);
  SendSourceFile(sourcePath);
  return 0;
}

}  // namespace mendrel
