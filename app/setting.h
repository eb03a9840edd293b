// The stored settings: the option controls of the main window and the filter
// choices of its two file dialogs.
#ifndef TESSALY_SETTING_H
#define TESSALY_SETTING_H

#include <QString>
#include <cstdint>

class SettingsStore;

struct TSetting {
  bool OpenFixed = false;
  bool RecoverDeleted = true;
  bool RepairDate = true;
  bool SplitTable = true;
  int32_t MaxFieldCount = 255;
  bool ReadSrcMemoFile = true;
  bool IgnoreAllZeroSrcMemoFile = true;
  QString TempDir;
  int32_t BufSize = 512;
  int32_t OpenFilterIndex = 1;
  int32_t SaveFilterIndex = 1;
};

// The platform's temporary-files folder with a trailing delimiter, or empty.
QString GetTempDirectory();

// Fills every field from the store, with the defaults for absent values.
void LoadSettings(TSetting& setting, const SettingsStore& store);
void LoadSettings(TSetting& setting);
// Writes every field into the store and saves it; false when the file could
// not be written.
bool SaveSettings(const TSetting& setting, SettingsStore& store);
bool SaveSettings(const TSetting& setting);

#endif
