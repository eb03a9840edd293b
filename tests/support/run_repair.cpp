#include "event_recorder.h"

namespace tessaly_test {
namespace {

RepairArgs Args(const std::string& source, const std::string& output, uint32_t optionWord,
                EventRecorder* recorder, uintptr_t reserved) {
  RepairArgs args{};
  args.sourcePath = reinterpret_cast<uintptr_t>(source.c_str());
  args.reserved = reserved;
  args.optionWord = optionWord;
  args.outputPath = reinterpret_cast<uintptr_t>(output.c_str());
  args.callback = recorder ? reinterpret_cast<uintptr_t>(&EventRecorder::Callback) : 0;
  args.userData = reinterpret_cast<uintptr_t>(recorder);
  return args;
}

}  // namespace

int32_t RunRepair(const std::string& source, const std::string& output, uint32_t optionWord,
                  EventRecorder* recorder, uintptr_t reserved) {
  RepairArgs args = Args(source, output, optionWord, recorder, reserved);
  MendrelMaskArgs(&args);
  return MendrelRepair()(&args);
}

int32_t RunRepairWithTemplate(const std::string& source, const std::string& output, uint32_t optionWord,
                              const std::string& templatePath, EventRecorder* recorder, uintptr_t announcedSize) {
  RepairArgsEx block{};
  block.size = announcedSize;
  block.args = Args(source, output, optionWord, recorder, 0);
  block.templatePath = templatePath.empty() ? 0 : reinterpret_cast<uintptr_t>(templatePath.c_str());
  MendrelMaskArgsEx(&block);
  return MendrelRepairEx()(&block);
}

}  // namespace tessaly_test
