#include "settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>
#include <cmath>
#include <limits>

#include "path_functions.h"

namespace {

QJsonObject KeyAt(const QJsonObject& root, const QStringList& path) {
  QJsonObject key = root;
  for (const QString& name : path) key = key.value(name).toObject();
  return key;
}

QJsonObject WithKeyAt(QJsonObject root, const QStringList& path, const QJsonObject& key) {
  if (path.isEmpty()) return key;
  const QString first = path.first();
  root.insert(first, WithKeyAt(root.value(first).toObject(), path.mid(1), key));
  return root;
}

bool IsInt32(double value) {
  return std::isfinite(value) && value == std::floor(value) &&
         value >= std::numeric_limits<int32_t>::min() &&
         value <= std::numeric_limits<int32_t>::max();
}

}  // namespace

SettingsStore SettingsStore::ForApplication() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  return SettingsStore(
      folder + QStringLiteral("/settings.json"),
      {QStringLiteral("Software"), StripExtension(executable), QStringLiteral("Misc")});
}

SettingsStore::SettingsStore(QString filePath, QStringList keyPath)
    : FFilePath(std::move(filePath)), FKeyPath(std::move(keyPath)) {}

void SettingsStore::Load() {
  FRoot = QJsonObject();
  QFile file(FFilePath);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
  if (document.isObject()) FRoot = document.object();
}

bool SettingsStore::Save() const {
  if (!QDir().mkpath(QFileInfo(FFilePath).absolutePath())) return false;
  QSaveFile file(FFilePath);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(QJsonDocument(FRoot).toJson(QJsonDocument::Indented));
  return file.commit();
}

QJsonValue SettingsStore::Value(const QString& name) const {
  return KeyAt(FRoot, FKeyPath).value(name);
}

void SettingsStore::SetValue(const QString& name, const QJsonValue& value) {
  QJsonObject key = KeyAt(FRoot, FKeyPath);
  key.insert(name, value);
  FRoot = WithKeyAt(FRoot, FKeyPath, key);
}

int32_t SettingsStore::ReadNumber(const QString& name, int32_t defaultValue) const {
  const QJsonValue value = Value(name);
  if (value.isString()) {
    bool ok = false;
    const int32_t number = value.toString().toInt(&ok, 10);
    return ok ? number : defaultValue;
  }
  if (value.isDouble() && IsInt32(value.toDouble())) return static_cast<int32_t>(value.toDouble());
  return defaultValue;
}

bool SettingsStore::ReadBool(const QString& name, bool defaultValue) const {
  return ReadNumber(name, defaultValue ? 1 : 0) != 0;
}

QString SettingsStore::ReadText(const QString& name, const QString& defaultValue) const {
  const QJsonValue value = Value(name);
  return value.isString() ? value.toString() : defaultValue;
}

void SettingsStore::WriteNumber(const QString& name, int32_t value) {
  if (Value(name).isString())
    SetValue(name, QString::number(value));
  else
    SetValue(name, value);
}

void SettingsStore::WriteBool(const QString& name, bool value) {
  SetValue(name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::WriteText(const QString& name, const QString& value) { SetValue(name, value); }
