// Where the records begin and how long they are, when the header and the descriptor
// list disagree with the records: long character fields, a cut terminator, a pad byte,
// a back-link area whose header length was lost, a header of garbage.
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

// Header length, record length and record count of garbage; the header length points into
// the records.
Bytes WithGarbageLengths(Bytes table, uint16_t headerLength) {
  const uint8_t garbage[] = {0x9C, 0x41, 0x07, 0xE3, 0, 0, 0x31, 0xB7};
  std::copy(std::begin(garbage), std::end(garbage), table.begin() + 4);
  table[8] = static_cast<char>(headerLength);
  table[9] = static_cast<char>(headerLength >> 8);
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

TEST(RepairRecordArea, UnderAGarbageHeaderAOneFieldSpacePaddedTableStartsAfterItsPadByte) {
  TableBuilder table;
  table.Field("NAME", 'C', 10).ExtraHeaderBytes({'\0'});
  for (int i = 0; i < 40; ++i) table.Record("Ann " + std::to_string(i % 10) + "     ");
  const size_t records = 32 + 32 + 1 + 1;
  // The header length lands on a space of the sixth record, which reads as a flag.
  EXPECT_EQ(Repair(WithGarbageLengths(table.Build(), records + 5 * 11 + 6)), table.Build());
}

TEST(RepairRecordArea, UnderAGarbageHeaderAVisualFoxProTableKeepsItsBackLink) {
  Bytes backLink(263, '\0');
  const std::string container = "..\\data\\sales.dbc";
  std::copy(container.begin(), container.end(), backLink.begin());
  const Bytes sound = Named().ExtraHeaderBytes(backLink).Build();
  const size_t records = 32 * 2 + 33 + 263;
  EXPECT_EQ(Repair(WithGarbageLengths(sound, records + 3 * 11 + 5)), AsRepaired(sound, 0x04));  // a space
}

TEST(RepairRecordArea, UnderAGarbageHeaderLongCharacterLengthsAreTakenWhenOnlyTheyFitTheRecords) {
  TableBuilder table;
  table.Field("TEXT", 'C', 300 - 256, 1).Field("ID", 'N', 3).RecordLength(1 + 300 + 3);
  for (int i = 0; i < 6; ++i) table.Record(std::string(300, 'a' + i) + "  " + std::to_string(i));
  EXPECT_EQ(Repair(WithGarbageLengths(table.Build(), 4000)), table.Build());
}

TEST(RepairRecordArea, ALostDescriptorIsRebuiltAndItsRecordsKept) {
  TableBuilder table;
  table.Field("CODE", 'C', 3).Field("AMOUNT", 'N', 6, 2).Field("NAME", 'C', 5);
  for (int i = 0; i < 12; ++i) table.Record("c" + std::to_string(10 + i) + "  1.50" + "Name" + std::to_string(i % 10));
  Bytes source = table.Build();
  std::fill_n(source.begin() + 64, 32, '\xFF');
  const Bytes repaired = Repair(source);
  EXPECT_EQ(Text(repaired).substr(96), Text(table.Build()).substr(96));  // the third descriptor on
  EXPECT_EQ(Text(repaired).substr(0, 64), Text(table.Build()).substr(0, 64));
  EXPECT_EQ(Text(repaired).substr(64, 5), "Field");  // a generated name
  EXPECT_EQ(Text(repaired).substr(75, 7), std::string("N\0\0\0\0\x06\x02", 7));
}
