// Failures inside the repair pass: each ends the pass with its error text.
#include <gtest/gtest.h>

#include <new>

#include "event_recorder.h"
#include "fault_platform.h"
#include "memo_builder.h"
#include "repair_session.h"
#include "table_builder.h"
#include "temp_dir.h"
#include "system_error_codes.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {

struct RepairRun {
  int32_t result;
  std::vector<Event> log;
  Bytes output;
};

RepairRun Repair(EventRecorder& recorder, ProgressCallback callback = &EventRecorder::Callback) {
  TempDir dir;
  TableBuilder().Field("NAME", 'C', 5).Record("Alice").Record("Bob  ").WriteTo(dir.File("t.dbf"));
  RepairSession session(callback, &recorder);
  RepairRun run;
  run.result = session.RepairTable(dir.File("t.dbf").c_str(), 0, 0, dir.File("o.dbf").c_str());
  run.log = recorder.LogEvents();
  run.output = ReadWholeFile(dir.File("o.dbf"));
  const std::string folder = (dir.path() / "").string();  // with the system's separator
  for (Event& event : run.log) {
    const size_t at = event.text.find(folder);
    if (at != std::string::npos) event.text.replace(at, folder.size(), "<dir>/");
  }
  return run;
}

// Throws what the test chose when the header is about to be written.
template <typename Failure>
int32_t ThrowingCallback(int32_t code, void* data, void* userData) {
  if (code == EVT_MESSAGE && std::string(static_cast<const char*>(data)) == "Write DBF header ...") throw Failure();
  return EventRecorder::Callback(code, data, userData);
}

struct NotAnEngineFailure {};

// A repair whose n-th platform call of one kind fails.
RepairRun RepairFailingCall(EventRecorder& recorder, PlatformCall kind, uint64_t n, int error) {
  FaultPlatform platform;
  ScopedPlatform installed(platform);
  platform.FailCallOf(kind, n, error);
  return Repair(recorder);
}

}  // namespace

TEST(RepairTableFailures, AFailedRecordCountWriteLeavesTheCountAtZero) {
  EventRecorder recorder;
  // Writes: header and records, the end mark (flushed by the seek to the count), the count.
  const RepairRun run = RepairFailingCall(recorder, PlatformCall::write, 3, kErrorDiskFull);
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.log.back(), Error("Error 2: General error. Disk full while accessing <dir>/o.dbf."));
  EXPECT_EQ(recorder.Messages().back(), "Add 2 records.");
  EXPECT_EQ(recorder.events.back(), Progress(100));
  ASSERT_EQ(run.output.size(), 32u + 32 + 1 + 12 + 1);
  EXPECT_EQ(Little32(run.output, 4), 0u);
  EXPECT_EQ(run.output.back(), 0x1A);
}

TEST(RepairTableFailures, AFailedRecordWriteEndsThePassBeforeTheRecordCountIsReported) {
  EventRecorder recorder;
  const RepairRun run = RepairFailingCall(recorder, PlatformCall::write, 1, kErrorHardIO);
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.log.back(),
            Error("Error 2: General error. A hardware I/O error was reported while accessing <dir>/o.dbf."));
  EXPECT_EQ(run.log[run.log.size() - 2], Message("Write DBF header ..."));
}

TEST(RepairTableFailures, AFailedMemoWriteEndsThePassBeforeTheRecordCountIsReported) {
  TempDir dir;
  TableBuilder().Version(0x83).Field("NOTE", 'M', 10).Record(MemoPointerText(1)).WriteTo(dir.File("m.dbf"));
  MemoBuilder::Dbt().Dbase3(1, "a memo").WriteTo(dir.File("m.dbt"));
  FaultPlatform platform;
  ScopedPlatform installed(platform);
  platform.FailCallOf(PlatformCall::writeAt, 2, kErrorDiskFull);  // after the first memo header: the memo
  EventRecorder recorder;
  RepairSession session(&EventRecorder::Callback, &recorder);
  session.RepairTable(dir.File("m.dbf").c_str(), 0, MENDREL_OPT_READ_SRC_MEMO, dir.File("o.dbf").c_str());
  const std::vector<Event> log = recorder.LogEvents();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log.back(), Error("Error 2: General error. Disk full while accessing " + dir.File("o.dbt") + "."));
  EXPECT_EQ(log[log.size() - 2], Message("Write DBF header ..."));
}

TEST(RepairTableFailures, AFailedCloseOfTheOutputIsAGeneralError) {
  EventRecorder recorder;
  const RepairRun run = RepairFailingCall(recorder, PlatformCall::close, 1, kErrorHardIO);
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.log.back().text.rfind("Error 2: General error. ", 0), 0u) << run.log.back().text;
}

TEST(RepairTableFailures, ExhaustedMemoryIsReportedAsOutOfMemory) {
  EventRecorder recorder;
  const RepairRun run = Repair(recorder, &ThrowingCallback<std::bad_alloc>);
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.log.back(), Error("Error 2: General error. Out of memory."));
  EXPECT_EQ(recorder.events.back(), Progress(100));
}

TEST(RepairTableFailures, AnyOtherFailureIsAnUnknownError) {
  EventRecorder recorder;
  const RepairRun run = Repair(recorder, &ThrowingCallback<NotAnEngineFailure>);
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.log.back(), Error("Error 3: Unknown error."));
}
