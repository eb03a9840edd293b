// The application's side of the engine boundary: one call of the engine's
// repair entry per run, and the callback that hands its events to the window.
#ifndef TESSALY_ENGINE_BINDING_H
#define TESSALY_ENGINE_BINDING_H

#include <cstdint>

#include "mendrel.h"

// Option controls as they stand when a run starts.
struct RepairOptionState {
  bool recoverDeleted = false;
  bool repairDate = false;
  bool splitTable = false;
  bool readSrcMemoFile = false;
  bool ignoreAllZeroSrcMemoFile = false;
  int versionIndex = 0;     // 0 "Auto Detect" .. 8
  int maxFieldCount = 255;  // sent also when splitting is off
};

uint32_t PackRepairOptions(const RepairOptionState& state);

// Lays the six values into a masked argument block and calls ordinal 1; with a
// template path, the extended block through ordinal 11, so that the field list comes
// from that table. Returns the engine's result unchanged.
int32_t CallRepairEngine(const char* sourcePath, uintptr_t reserved, uint32_t options,
                         const char* outputPath, ProgressCallback callback, void* userData,
                         const char* templatePath = nullptr);

// userData points at a variable holding the main window. Answers -1 when the
// window's reaction is true, else 0.
int32_t RepairCallback(int32_t code, void* data, void* userData);

#endif
