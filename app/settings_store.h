// The per-user settings store: one key of a JSON file under the user's
// configuration folder, holding named values that are either text or a 32-bit
// number, the way a registry key does.
#ifndef TESSALY_SETTINGS_STORE_H
#define TESSALY_SETTINGS_STORE_H

#include <QJsonObject>
#include <QString>
#include <QStringList>

class SettingsStore {
 public:
  // The store of this program: key Software/<executable name>/Misc of
  // settings.json in the application's configuration folder.
  static SettingsStore ForApplication();
  SettingsStore(QString filePath, QStringList keyPath);

  // Reads the file; a missing or unreadable file is an empty store.
  void Load();
  // Writes the whole file atomically, creating its folder; false on failure.
  bool Save() const;
  const QString& FilePath() const { return FFilePath; }

  // A number stored as text is converted from decimal; text that is no number,
  // a value of any other kind and an absent value give the default.
  int32_t ReadNumber(const QString& name, int32_t defaultValue) const;
  bool ReadBool(const QString& name, bool defaultValue) const;
  QString ReadText(const QString& name, const QString& defaultValue) const;

  // A number is stored as a number, unless a text value of that name exists:
  // then it stays text, holding the decimal digits.
  void WriteNumber(const QString& name, int32_t value);
  // A Boolean is stored as the text "0" or "1".
  void WriteBool(const QString& name, bool value);
  void WriteText(const QString& name, const QString& value);

 private:
  QJsonValue Value(const QString& name) const;
  void SetValue(const QString& name, const QJsonValue& value);

  QString FFilePath;
  QStringList FKeyPath;
  QJsonObject FRoot;
};

#endif
