#include "setting.h"

#include <QDir>

#include "settings_store.h"

QString GetTempDirectory() {
  const QString path = QDir::tempPath();
  if (path.isEmpty()) return QString();
  const QString native = QDir::toNativeSeparators(path);
  return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

void LoadSettings(TSetting& setting, const SettingsStore& store) {
  const TSetting defaults;
  setting.OpenFixed = store.ReadBool(QStringLiteral("OpenFixed"), defaults.OpenFixed);
  setting.RecoverDeleted =
      store.ReadBool(QStringLiteral("RecoverDeleted"), defaults.RecoverDeleted);
  setting.RepairDate = store.ReadBool(QStringLiteral("RepairDate"), defaults.RepairDate);
  setting.SplitTable = store.ReadBool(QStringLiteral("SplitTable"), defaults.SplitTable);
  setting.MaxFieldCount = store.ReadNumber(QStringLiteral("MaxFieldCount"), defaults.MaxFieldCount);
  setting.ReadSrcMemoFile =
      store.ReadBool(QStringLiteral("ReadSrcMemoFile"), defaults.ReadSrcMemoFile);
  setting.IgnoreAllZeroSrcMemoFile =
      store.ReadBool(QStringLiteral("IgnoreAllZeroSrcMemoFile"), defaults.IgnoreAllZeroSrcMemoFile);
  setting.TempDir = store.ReadText(QStringLiteral("TempDir"), GetTempDirectory());
  setting.BufSize = store.ReadNumber(QStringLiteral("BufSize"), defaults.BufSize);
  setting.OpenFilterIndex =
      store.ReadNumber(QStringLiteral("OpenFilterIndex"), defaults.OpenFilterIndex);
  setting.SaveFilterIndex =
      store.ReadNumber(QStringLiteral("SaveFilterIndex"), defaults.SaveFilterIndex);
}

void LoadSettings(TSetting& setting) {
  SettingsStore store = SettingsStore::ForApplication();
  store.Load();
  LoadSettings(setting, store);
}

bool SaveSettings(const TSetting& setting, SettingsStore& store) {
  store.WriteBool(QStringLiteral("OpenFixed"), setting.OpenFixed);
  store.WriteBool(QStringLiteral("RecoverDeleted"), setting.RecoverDeleted);
  store.WriteBool(QStringLiteral("RepairDate"), setting.RepairDate);
  store.WriteBool(QStringLiteral("SplitTable"), setting.SplitTable);
  store.WriteNumber(QStringLiteral("MaxFieldCount"), setting.MaxFieldCount);
  store.WriteBool(QStringLiteral("ReadSrcMemoFile"), setting.ReadSrcMemoFile);
  store.WriteBool(QStringLiteral("IgnoreAllZeroSrcMemoFile"), setting.IgnoreAllZeroSrcMemoFile);
  store.WriteText(QStringLiteral("TempDir"), setting.TempDir);
  store.WriteNumber(QStringLiteral("BufSize"), setting.BufSize);
  store.WriteNumber(QStringLiteral("OpenFilterIndex"), setting.OpenFilterIndex);
  store.WriteNumber(QStringLiteral("SaveFilterIndex"), setting.SaveFilterIndex);
  return store.Save();
}

bool SaveSettings(const TSetting& setting) {
  // Reloaded first so that values of other keys in the file are kept.
  SettingsStore store = SettingsStore::ForApplication();
  store.Load();
  return SaveSettings(setting, store);
}
