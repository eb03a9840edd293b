#include "engine_binding.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "app_strings.h"
#include "app_test_support.h"
#include "main_form.h"

namespace {

struct RecordedEvent {
  int32_t code;
  QByteArray text;
  void* userData;
};

QList<RecordedEvent> gEvents;

int32_t RecordingCallback(int32_t code, void* data, void* userData) {
  QByteArray text;
  if (code == EVT_PROGRESS)
    text = QByteArray::number(*static_cast<unsigned char*>(data));
  else if (data != nullptr)
    text = static_cast<const char*>(data);
  gEvents.append({code, text, userData});
  return 0;
}

int32_t Answer(TMainForm* form, int32_t code, const void* data) {
  return RepairCallback(code, const_cast<void*>(data), &form);
}

}  // namespace

class EngineBindingTest : public QObject {
  Q_OBJECT

 private slots:
  void MovesTheGaugeWithProgressBytes() {
    ScopedConfigHome home;
    TMainForm form;
    const unsigned char percents[] = {42, 0, 255, 100};
    const int shown[] = {42, 0, 100, 100};
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(Answer(&form, EVT_PROGRESS, &percents[i]), 0);
      QCOMPARE(form.Gauge->value(), shown[i]);
    }
    QVERIFY(form.RepairLogLines().isEmpty());
  }

  void AppendsMessagesAndFramesErrors() {
    ScopedConfigHome home;
    TMainForm form;
    const QString separator = AppString(StrId::SeparatorLine);
    QCOMPARE(Answer(&form, EVT_MESSAGE, "Write DBF header ..."), 0);
    QCOMPARE(Answer(&form, EVT_MESSAGE, "-"), 0);
    QCOMPARE(Answer(&form, EVT_MESSAGE, "--"), 0);
    QCOMPARE(Answer(&form, EVT_ERROR, "Error 3: Unknown error."), 0);
    QCOMPARE(Answer(&form, EVT_MEND_REPORT, "CAF\xC3\x89 C: field name mended"), 0);  // UTF-8
    QCOMPARE(form.RepairLogLines(),
             QStringList({QStringLiteral("Write DBF header ..."), separator, QStringLiteral("--"),
                          separator, QStringLiteral("Error 3: Unknown error."), separator,
                          QStringLiteral("CAF\u00C9 C: field name mended")}));
  }

  void IgnoresTheSourceFileEventAndUnknownCodes() {
    ScopedConfigHome home;
    TMainForm form;
    form.FRunning = true;
    const unsigned char fifty = 50;
    Answer(&form, EVT_PROGRESS, &fifty);
    for (int32_t code : {int32_t(EVT_SOURCE_FILE), 1, 45, 52, 59, -1, 0x7FFFFFFF})
      QCOMPARE(Answer(&form, code, "data"), 0);
    QCOMPARE(form.Gauge->value(), 50);
    QVERIFY(form.RepairLogLines().isEmpty());
    QVERIFY(form.FRunning);
    QCOMPARE(RepairCallback(EVT_QUERY_STOP, nullptr, nullptr), 0);
  }

  void AnswersTheStopQueryFromTheRunFlag() {
    ScopedConfigHome home;
    TMainForm form;
    form.FRunning = true;
    QCOMPARE(Answer(&form, EVT_QUERY_STOP, nullptr), 0);
    form.btnRepairClick();  // the click while running is the stop request
    QVERIFY(!form.FRunning);
    QCOMPARE(Answer(&form, EVT_QUERY_STOP, nullptr), -1);
    QCOMPARE(Answer(&form, EVT_QUERY_STOP, nullptr), -1);
    form.FRunning = true;
    form.btnRepairFilesClick();  // so is a click on the batch page's start button
    QCOMPARE(Answer(&form, EVT_QUERY_STOP, nullptr), -1);
    QVERIFY(form.RepairLogLines().isEmpty());
  }

  void ShowsNoticesInAnInformationBox() {
    ScopedConfigHome home;
    TMainForm form;
    MessageBoxAnswerer boxes;
    QCOMPARE(Answer(&form, EVT_NOTICE, "Share violation when opening the source file 'x'."), 0);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].caption, QStringLiteral("Information"));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Information);
    QCOMPARE(boxes.seen[0].text,
             QStringLiteral("Share violation when opening the source file 'x'."));
  }

  // The block reaches the engine intact: paths, option word, callback and user
  // data each arrive in their slot.
  void FillsEverySlotOfTheArgumentBlock() {
    QTemporaryDir dir;
    const QByteArray source = QFile::encodeName(dir.filePath(QStringLiteral("three.dbf")));
    const QByteArray output = QFile::encodeName(dir.filePath(QStringLiteral("out.dbf")));
    WriteBytes(QString::fromLocal8Bit(source),
               BuildTable({{"A", 'C', 2}, {"B", 'C', 2}, {"C", 'C', 2}}, {"aabbcc"}));
    int marker = 0;
    gEvents.clear();
    RepairOptionState splitByOne;
    splitByOne.splitTable = true;
    splitByOne.maxFieldCount = 1;
    const int32_t result =
        CallRepairEngine(source.constData(), 0x5A5A5A5A, PackRepairOptions(splitByOne),
                         output.constData(), RecordingCallback, &marker);
    QCOMPARE(result, 1);
    QVERIFY(gEvents.size() > 2);
    QCOMPARE(gEvents[0].code, int32_t(EVT_PROGRESS));
    QCOMPARE(gEvents[1].code, int32_t(EVT_SOURCE_FILE));
    QCOMPARE(gEvents[1].text, source);
    for (const RecordedEvent& event : gEvents) QCOMPARE(event.userData, &marker);
    for (const char* part : {"out.dbf", "out_1.dbf", "out_2.dbf"})
      QVERIFY(QFile::exists(dir.filePath(QString::fromLatin1(part))));
  }
};

QTEST_MAIN(EngineBindingTest)
#include "engine_binding_test.moc"
