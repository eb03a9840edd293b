#include "repair_call.h"

namespace tessaly_common {

int32_t CallRepairEntry(RepairArgs args, const char* templatePath) {
  if (templatePath == nullptr || *templatePath == '\0') {
    MendrelMaskArgs(&args);
    return MendrelRepair()(&args);
  }
  RepairArgsEx block{};
  block.size = sizeof block;
  block.args = args;
  block.templatePath = reinterpret_cast<uintptr_t>(templatePath);
  MendrelMaskArgsEx(&block);
  return MendrelRepairEx()(&block);
}

}  // namespace tessaly_common
