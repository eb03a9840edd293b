#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "app_test_support.h"
#include "setting.h"
#include "settings_store.h"

namespace {

QString SettingsFile(const ScopedConfigHome& home) {
  return home.Path() + QStringLiteral("/settings_test/settings.json");
}

QJsonObject StoredKey(const ScopedConfigHome& home) {
  QFile file(SettingsFile(home));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QJsonDocument::fromJson(file.readAll())
      .object()[QStringLiteral("Software")]
      .toObject()[QStringLiteral("settings_test")]
      .toObject()[QStringLiteral("Misc")]
      .toObject();
}

void StoreKey(const ScopedConfigHome& home, const QJsonObject& misc) {
  QDir().mkpath(QFileInfo(SettingsFile(home)).absolutePath());
  const QJsonObject root{
      {QStringLiteral("Software"),
       QJsonObject{{QStringLiteral("settings_test"), QJsonObject{{QStringLiteral("Misc"), misc}}},
                   {QStringLiteral("other"), QStringLiteral("kept")}}}};
  WriteBytes(SettingsFile(home), QJsonDocument(root).toJson());
}

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void StartsWithTheDefaultsWhenNothingIsStored() {
    ScopedConfigHome home;
    TSetting setting;
    setting.OpenFixed = true;
    setting.MaxFieldCount = 7;
    LoadSettings(setting);
    QCOMPARE(setting.OpenFixed, false);
    QVERIFY(setting.RecoverDeleted && setting.RepairDate && setting.SplitTable);
    QVERIFY(setting.ReadSrcMemoFile && setting.IgnoreAllZeroSrcMemoFile);
    QCOMPARE(setting.MaxFieldCount, 255);
    QCOMPARE(setting.BufSize, 512);
    QCOMPARE(setting.OpenFilterIndex, 1);
    QCOMPARE(setting.SaveFilterIndex, 1);
    QCOMPARE(setting.TempDir, QDir::tempPath() + u'/');
    QVERIFY(!QFile::exists(SettingsFile(home)));
  }

  void WritesBooleansAsTextAndNumbersAsNumbers() {
    ScopedConfigHome home;
    TSetting setting;
    setting.OpenFixed = true;
    setting.RepairDate = false;
    setting.MaxFieldCount = 300;
    setting.TempDir = QStringLiteral("/var/tmp/x/");
    setting.SaveFilterIndex = 2;
    QVERIFY(SaveSettings(setting));
    const QJsonObject misc = StoredKey(home);
    QCOMPARE(misc.size(), 11);
    QCOMPARE(misc[QStringLiteral("OpenFixed")], QJsonValue(QStringLiteral("1")));
    QCOMPARE(misc[QStringLiteral("RepairDate")], QJsonValue(QStringLiteral("0")));
    QCOMPARE(misc[QStringLiteral("MaxFieldCount")], QJsonValue(300));
    QCOMPARE(misc[QStringLiteral("BufSize")], QJsonValue(512));
    QCOMPARE(misc[QStringLiteral("TempDir")], QJsonValue(QStringLiteral("/var/tmp/x/")));

    TSetting reloaded;
    LoadSettings(reloaded);
    QCOMPARE(reloaded.OpenFixed, true);
    QCOMPARE(reloaded.RepairDate, false);
    QCOMPARE(reloaded.MaxFieldCount, 300);
    QCOMPARE(reloaded.TempDir, QStringLiteral("/var/tmp/x/"));
    QCOMPARE(reloaded.SaveFilterIndex, 2);
  }

  void KeepsANumberStoredAsTextAsText() {
    ScopedConfigHome home;
    StoreKey(home, {{QStringLiteral("MaxFieldCount"), QStringLiteral("300")},
                    {QStringLiteral("BufSize"), 1024}});
    TSetting setting;
    LoadSettings(setting);
    QCOMPARE(setting.MaxFieldCount, 300);
    QCOMPARE(setting.BufSize, 1024);
    setting.MaxFieldCount = 301;
    QVERIFY(SaveSettings(setting));
    QCOMPARE(StoredKey(home)[QStringLiteral("MaxFieldCount")], QJsonValue(QStringLiteral("301")));
    QCOMPARE(StoredKey(home)[QStringLiteral("BufSize")], QJsonValue(1024));
  }

  void KeepsTheOtherKeysOfTheFile() {
    ScopedConfigHome home;
    StoreKey(home, {});
    QVERIFY(SaveSettings(TSetting()));
    QFile file(SettingsFile(home));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QJsonDocument::fromJson(file.readAll())
                 .object()[QStringLiteral("Software")]
                 .toObject()[QStringLiteral("other")],
             QJsonValue(QStringLiteral("kept")));
  }

  void FallsBackToDefaultsForUnreadableValues() {
    ScopedConfigHome home;
    StoreKey(home, {{QStringLiteral("MaxFieldCount"), QStringLiteral("12a")},
                    {QStringLiteral("BufSize"), 2.5},
                    {QStringLiteral("OpenFilterIndex"), 1e12},
                    {QStringLiteral("RecoverDeleted"), QStringLiteral("yes")},
                    {QStringLiteral("RepairDate"), QStringLiteral("0")},
                    {QStringLiteral("OpenFixed"), 2},
                    {QStringLiteral("SplitTable"), true},
                    {QStringLiteral("TempDir"), 5}});
    TSetting setting;
    LoadSettings(setting);
    QCOMPARE(setting.MaxFieldCount, 255);
    QCOMPARE(setting.BufSize, 512);
    QCOMPARE(setting.OpenFilterIndex, 1);
    QCOMPARE(setting.RecoverDeleted, true);
    QCOMPARE(setting.RepairDate, false);
    QCOMPARE(setting.OpenFixed, true);
    QCOMPARE(setting.SplitTable, true);
    QCOMPARE(setting.TempDir, GetTempDirectory());
  }

  void TreatsACorruptFileAsEmpty() {
    ScopedConfigHome home;
    QDir().mkpath(QFileInfo(SettingsFile(home)).absolutePath());
    WriteBytes(SettingsFile(home), "{ not json");
    TSetting setting;
    LoadSettings(setting);
    QCOMPARE(setting.MaxFieldCount, 255);
    QVERIFY(SaveSettings(setting));
    QCOMPARE(StoredKey(home)[QStringLiteral("MaxFieldCount")], QJsonValue(255));
  }

  void ReportsAFileThatCannotBeWritten() {
    ScopedConfigHome home;
    WriteBytes(home.Path() + QStringLiteral("/settings_test"), "a file where the folder goes");
    QVERIFY(!SaveSettings(TSetting()));
  }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"
