// Where the records begin and how long they are, when the header and the descriptor
// list disagree with the records: long character fields, a cut terminator, a pad byte,
// a back-link area whose header length was lost.
#include <gtest/gtest.h>

#include "event_recorder.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_test;

namespace {

const Bytes kBackLink(263, '\0');

Bytes Repair(const Bytes& source, uint32_t options = 0) {
  TempDir dir;
  WriteWholeFile(dir.File("s.dbf"), source);
  EXPECT_EQ(RunRepair(dir.File("s.dbf"), dir.File("o.dbf"), options, nullptr), 1);
  return ReadWholeFile(dir.File("o.dbf"));
}

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Ten records of a right-aligned number and a name: the first byte after each flag is a
// space, as a flag would be.
TableBuilder Numbered(uint8_t version = 0x03) {
  TableBuilder table;
  table.Version(version).Field("ID", 'N', 4).Field("NAME", 'C', 6);
  for (int i = 0; i < 10; ++i) table.Record("   " + std::to_string(i) + "Name " + std::to_string(i));
  return table;
}

// A table whose first data byte is no flag, so that one byte off is told apart.
TableBuilder Named(uint8_t version = 0x30) {
  TableBuilder table;
  table.Version(version).Field("NAME", 'C', 6).Field("ID", 'N', 4);
  for (int i = 0; i < 10; ++i) table.Record("Name " + std::to_string(i) + "   " + std::to_string(i));
  return table;
}

Bytes WithoutTerminator(Bytes table, size_t fieldCount) {
  table.erase(table.begin() + 32 + 32 * fieldCount);
  return table;
}

// The source as the repair writes it when nothing is amiss: header flags of the family set.
Bytes AsRepaired(Bytes table, uint8_t flags) {
  table[28] = static_cast<char>(flags);
  return table;
}

}  // namespace

TEST(RepairRecordArea, ALongCharacterFieldConfirmedByTheRecordLengthKeepsItsLength) {
  TableBuilder table;
  table.Field("TEXT", 'C', 300 - 256, 1).Field("ID", 'N', 3).RecordLength(1 + 300 + 3);
  table.Record(std::string(299, 'a') + "z" + "  1").Record(std::string(300, 'b') + "  2");
  EXPECT_EQ(Repair(table.Build()), table.Build());
}

TEST(RepairRecordArea, ACharacterDecimalCountNotConfirmedByTheRecordLengthIsNoLength) {
  TableBuilder table;
  table.Field("TEXT", 'C', 10, 1).Field("ID", 'N', 3);
  table.Record("abcdefghij  1").Record("klmnopqrst  2");
  EXPECT_EQ(Repair(table.Build()), table.Build());
}

TEST(RepairRecordArea, AStandardTableIsWrittenAsItWas) {
  TableBuilder table = Numbered();
  table.Record("  10Last  ", '*');
  EXPECT_EQ(Repair(table.Build()), table.Build());
}

TEST(RepairRecordArea, RecordsBeginAtTheTerminatorWhenItWasCutOut) {
  EXPECT_EQ(Repair(WithoutTerminator(Numbered().Build(), 2)), Numbered().Build());
  EXPECT_EQ(Repair(WithoutTerminator(Numbered().HeaderLength(0).Build(), 2)), Numbered().Build());
}

TEST(RepairRecordArea, ABackLinkWithoutItsTerminatorStartsOneByteEarlier) {
  const Bytes cut = WithoutTerminator(Named().ExtraHeaderBytes(kBackLink).Build(), 2);
  const Bytes repaired = Repair(cut);
  EXPECT_EQ(Little16(repaired, 8), 32 * 2 + 33 + 262);  // the back-link lost its last byte
  EXPECT_EQ(Text(repaired).substr(Little16(repaired, 8)), Text(Named().Build()).substr(32 * 2 + 33));
}

TEST(RepairRecordArea, APadByteAfterTheTerminatorIsFoundWithoutTheHeaderLength) {
  const Bytes padded = Numbered().ExtraHeaderBytes({'\0'}).Build();
  EXPECT_EQ(Repair(Numbered().ExtraHeaderBytes({'\0'}).HeaderLength(0).Build()), padded);
}

TEST(RepairRecordArea, ABackLinkIsFoundWithoutTheHeaderLength) {
  const Bytes linked = AsRepaired(Named().ExtraHeaderBytes(kBackLink).Build(), 0x04);
  EXPECT_EQ(Repair(Named().ExtraHeaderBytes(kBackLink).HeaderLength(0).RecordLength(0).Build()), linked);
  Bytes withPad = kBackLink;
  withPad.push_back('\0');
  const Bytes linkedAndPadded = AsRepaired(Named().ExtraHeaderBytes(withPad).Build(), 0x04);
  EXPECT_EQ(Repair(Named().ExtraHeaderBytes(withPad).HeaderLength(0).Build()), linkedAndPadded);
}

TEST(RepairRecordArea, TerminatorAndHeaderLengthAgreeingOutweighADamagedFirstFlag) {
  TableBuilder damaged = Numbered();
  damaged.Record("  10Last  ", '\0');
  Bytes source = damaged.Build();
  std::swap(source[32 * 2 + 33], source[32 * 2 + 33 + 10 * 11]);  // the odd flag goes first
  Bytes expected = source;
  expected[32 * 2 + 33] = ' ';
  EXPECT_EQ(Repair(source), expected);
}

TEST(RepairRecordArea, WithoutACredibleStartTheRecordsBeginAfterTheList) {
  TableBuilder table;
  table.Field("A", 'C', 2).HeaderLength(0).Record("xy", 'x').Record("zz", 'z');
  const Bytes repaired = Repair(table.Build());
  EXPECT_EQ(Little16(repaired, 8), 32 + 33);
  EXPECT_EQ(Text(repaired).substr(32 + 33), " xy zz\x1A");
}
