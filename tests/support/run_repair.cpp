#include "event_recorder.h"

namespace tessaly_test {

int32_t RunRepair(const std::string& source, const std::string& output, uint32_t optionWord,
                  EventRecorder* recorder, uintptr_t reserved) {
  RepairArgs args{};
  args.sourcePath = reinterpret_cast<uintptr_t>(source.c_str());
  args.reserved = reserved;
  args.optionWord = optionWord;
  args.outputPath = reinterpret_cast<uintptr_t>(output.c_str());
  args.callback = recorder ? reinterpret_cast<uintptr_t>(&EventRecorder::Callback) : 0;
  args.userData = reinterpret_cast<uintptr_t>(recorder);
  MendrelMaskArgs(&args);
  return MendrelRepair()(&args);
}

}  // namespace tessaly_test
