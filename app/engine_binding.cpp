#include "engine_binding.h"

#include "main_form.h"
#include "repair_call.h"

uint32_t PackRepairOptions(const RepairOptionState& state) {
  uint32_t flags = 0;
  if (state.recoverDeleted) flags |= MENDREL_OPT_RECOVER_DELETED;
  if (state.repairDate) flags |= MENDREL_OPT_REPAIR_DATE;
  if (state.splitTable) flags |= MENDREL_OPT_SPLIT_TABLE;
  if (state.readSrcMemoFile) flags |= MENDREL_OPT_READ_SRC_MEMO;
  if (state.ignoreAllZeroSrcMemoFile) flags |= MENDREL_OPT_IGNORE_ALL_ZERO_MEMO;
  return MendrelPackOptions(flags, static_cast<uint32_t>(state.versionIndex),
                            static_cast<uint32_t>(state.maxFieldCount));
}

int32_t CallRepairEngine(const char* sourcePath, uintptr_t reserved, uint32_t options,
                         const char* outputPath, ProgressCallback callback, void* userData,
                         const char* templatePath) {
  RepairArgs args;
  args.sourcePath = reinterpret_cast<uintptr_t>(sourcePath);
  args.reserved = reserved;
  args.optionWord = options;
  args.outputPath = reinterpret_cast<uintptr_t>(outputPath);
  args.callback = reinterpret_cast<uintptr_t>(callback);
  args.userData = reinterpret_cast<uintptr_t>(userData);
  return tessaly_common::CallRepairEntry(args, templatePath);
}

int32_t RepairCallback(int32_t code, void* data, void* userData) {
  if (userData == nullptr) return 0;
  TMainForm* form = *static_cast<TMainForm**>(userData);
  if (form == nullptr) return 0;
  return form->OnMessage(code, data) ? -1 : 0;
}
