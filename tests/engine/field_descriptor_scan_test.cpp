#include "field_descriptor_scan.h"

#include <gtest/gtest.h>

#include "event_recorder.h"
#include "extra_header_bytes.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {

// A table file opened for scanning, with a session that records its events.
class Scan {
 public:
  explicit Scan(const Bytes& table) : session(&EventRecorder::Callback, &recorder) {
    WriteWholeFile(path, table);
    EXPECT_TRUE(source.Open(path.c_str(), CFile64::kReadFlags));
    session.SourceLength = source.GetLength();
    std::copy_n(table.begin(), kTableHeaderSize, header.begin());
  }

  bool Run() { return ScanFieldDescriptors(session, header, source, fields); }

  TempDir dir;
  std::string path = dir.File("t.dbf");
  EventRecorder recorder;
  RepairSession session;
  CFile64Ex source;
  TableHeader header{};
  FieldList fields;
};

TableBuilder WithFields(int count) {
  TableBuilder table;
  for (int i = 0; i < count; ++i) table.Field("F" + std::to_string(i), 'C', 2);
  return table;
}

}  // namespace

TEST(FieldDescriptorScan, EndsAtTheTerminatorAndSendsProgressPerDescriptor) {
  Scan scan(WithFields(2).Record("abcd").Build());
  ASSERT_TRUE(scan.Run());
  EXPECT_EQ(scan.fields.size(), 2u);
  EXPECT_EQ(scan.source.GetPosition(), 32u + 64u);
  const int length = 32 + 64 + 1 + 5 + 1;
  EXPECT_EQ(scan.recorder.events,
            (std::vector<Event>{QueryStop(), Progress(64 * 100 / length), QueryStop(),
                                Progress(96 * 100 / length), QueryStop()}));
}

TEST(FieldDescriptorScan, StopsAtTheFieldCountTheHeaderLengthAnnounces) {
  Bytes table = WithFields(24).HeaderLength(0x0301).RecordLength(0).Build();
  table.erase(table.begin() + 32 + 24 * 32);  // no terminator
  Scan scan(table);
  scan.Run();
  EXPECT_EQ(scan.fields.size(), 23u);
  EXPECT_EQ(scan.source.GetPosition(), 32u + 23 * 32);
}

TEST(FieldDescriptorScan, StopsWhenTheFieldsFillTheHeaderRecordLength) {
  Scan scan(WithFields(5).HeaderLength(0).RecordLength(1 + 3 * 2).Build());
  scan.Run();
  EXPECT_EQ(scan.fields.size(), 3u);

  Scan noHint(WithFields(5).HeaderLength(0).RecordLength(0).Build());
  noHint.Run();
  EXPECT_EQ(noHint.fields.size(), 5u);
}

TEST(FieldDescriptorScan, EndsBeforeAnImplausibleBlockAndLeavesTheSourceAtItsStart) {
  Scan scan(WithFields(2).RawDescriptor(Descriptor{}).Field("LATE", 'C', 1).HeaderLength(0).Build());
  scan.Run();
  EXPECT_EQ(scan.fields.size(), 2u);
  EXPECT_EQ(scan.source.GetPosition(), 32u + 64u);
}

TEST(FieldDescriptorScan, KeepsAShortLastBlockAndMendsEveryAcceptedOne) {
  Bytes table = TableBuilder().Field("1AB", 'N', 9).Field("LAST", 'Q', 7).Build();
  table.resize(32 + 32 + 17);  // the second block ends right after its length byte
  Scan scan(table);
  ASSERT_TRUE(scan.Run());
  ASSERT_EQ(scan.fields.size(), 2u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(scan.fields[0].data())), "FAB");
  EXPECT_EQ(scan.fields[1][11], 'C');
  EXPECT_EQ(scan.fields[1][16], 7);
  EXPECT_EQ(scan.source.GetPosition(), table.size());
}

TEST(FieldDescriptorScan, AStopBeforeTheFirstDescriptorAcceptsNothing) {
  Scan scan(WithFields(2).Build());
  scan.recorder.stopWhen = [](int) { return true; };
  EXPECT_FALSE(scan.Run());
  EXPECT_EQ(scan.recorder.events, (std::vector<Event>{QueryStop()}));
}

TEST(FieldDescriptorScan, AcceptsAtMost2046Descriptors) {
  Scan scan(WithFields(2050).HeaderLength(0).RecordLength(0).Build());
  scan.Run();
  EXPECT_EQ(scan.fields.size(), 2046u);
}

TEST(ExtraHeaderBytes, AHeaderLengthWith263BytesAfterTheListIsTakenAtItsWord) {
  const Bytes extra(263, 0);
  Scan scan(WithFields(2).ExtraHeaderBytes(extra).Record("abcd").Build());
  EXPECT_EQ(ReadLittle16(&scan.header[8]), 360);
  scan.Run();
  ASSERT_EQ(scan.fields.size(), 2u);
  EXPECT_EQ(CountExtraHeaderBytes(scan.header, scan.fields, scan.source, 32 + 64 + 1), 263u);
}

TEST(ExtraHeaderBytes, CountsTheGapOnlyWhenARecordFlagFollowsIt) {
  Scan withGap(WithFields(1).ExtraHeaderBytes(Bytes(5, 'x')).Record("ab").Build());
  withGap.Run();
  withGap.source.Seek(7, CFile64::begin);
  EXPECT_EQ(CountExtraHeaderBytes(withGap.header, withGap.fields, withGap.source, 32 + 32 + 1), 5u);
  EXPECT_EQ(withGap.source.GetPosition(), 7u);

  Scan flagFirst(WithFields(1).ExtraHeaderBytes(Bytes{'*', 'x', 'x', 'x', 'x'}).Record("ab").Build());
  flagFirst.Run();
  EXPECT_EQ(CountExtraHeaderBytes(flagFirst.header, flagFirst.fields, flagFirst.source, 32 + 32 + 1), 0u);

  Scan noFlag(WithFields(1).ExtraHeaderBytes(Bytes(5, 'x')).Record("ab", 'Z').Build());
  noFlag.Run();
  EXPECT_EQ(CountExtraHeaderBytes(noFlag.header, noFlag.fields, noFlag.source, 32 + 32 + 1), 0u);

  Scan pastEnd(WithFields(1).HeaderLength(500).Build());
  pastEnd.Run();
  EXPECT_EQ(CountExtraHeaderBytes(pastEnd.header, pastEnd.fields, pastEnd.source, 32 + 32 + 1), 0u);
}
