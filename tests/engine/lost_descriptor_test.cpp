// One field descriptor lost to garbage, rebuilt before the scan from the header's lengths
// and the records.
#include "lost_descriptor.h"

#include <gtest/gtest.h>

#include "memo_builder.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {

const Descriptor kGarbage = [] {
  Descriptor garbage;
  garbage.fill(0xFF);  // no name, no type: implausible
  return garbage;
}();

// A sound table with descriptor `lost` replaced, read as the repair reads it, with an
// optional memo file beside it.
std::optional<DescriptorReplacement> Rebuild(Bytes table, size_t lost, const Descriptor& garbage = kGarbage,
                                             const MemoBuilder* memo = nullptr, const char* memoName = "t.dbt") {
  std::copy(garbage.begin(), garbage.end(), table.begin() + 32 + 32 * static_cast<ptrdiff_t>(lost));
  TempDir dir;
  WriteWholeFile(dir.File("t.dbf"), table);
  if (memo != nullptr) memo->WriteTo(dir.File(memoName));
  CFile64Ex source;
  EXPECT_TRUE(source.Open(dir.File("t.dbf").c_str(), CFile64::kReadFlags));
  TableHeader header;
  std::copy_n(table.begin(), kTableHeaderSize, header.begin());
  MemoPointerCheck check(dir.File("t.dbf"), header[kHeaderVersion]);
  source.Seek(7, CFile64::begin);
  auto rebuilt = RebuildLostDescriptor(header, source, table.size(), check);
  EXPECT_EQ(source.GetPosition(), 7u);
  return rebuilt;
}

struct Guess {
  char type;
  int length;
  int decimals;
  bool operator==(const Guess&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Guess& g) {
  return out << g.type << " " << g.length << "." << g.decimals;
}

// The second field of a code-and-value table, after its descriptor was lost.
Guess GuessOf(uint8_t version, uint8_t width, const std::vector<std::string>& values, uint8_t flags = 0,
              const MemoBuilder* memo = nullptr, const char* memoName = "t.dbt") {
  TableBuilder table;
  table.Version(version).Field("ID", 'C', 2).Field("VALUE", 'C', width);
  for (const std::string& value : values) table.Record("id" + value);
  Bytes bytes = table.Build();
  bytes[28] = static_cast<char>(flags);
  const auto rebuilt = Rebuild(bytes, 1, kGarbage, memo, memoName);
  if (!rebuilt) return {'-', 0, 0};
  EXPECT_EQ(rebuilt->index, 1u);
  return {static_cast<char>(rebuilt->block[11]), rebuilt->block[16], rebuilt->block[17]};
}

std::string Bin(std::initializer_list<int> bytes) {
  std::string text;
  for (int b : bytes) text.push_back(static_cast<char>(b));
  return text;
}

TableBuilder ThreeFields(uint8_t version = 0x03) {
  TableBuilder table;
  table.Version(version).Field("CODE", 'C', 3).Field("AMOUNT", 'N', 6, 2).Field("NAME", 'C', 5);
  for (int i = 0; i < 20; ++i) table.Record("c" + std::to_string(10 + i) + "  1.50" + "Name" + std::to_string(i % 10));
  return table;
}

}  // namespace

TEST(LostDescriptor, TheOneImplausibleBlockIsRebuiltWithTheWidthTheRecordLengthLeaves) {
  const auto rebuilt = Rebuild(ThreeFields().Build(), 1);
  ASSERT_TRUE(rebuilt);
  EXPECT_EQ(rebuilt->index, 1u);
  Descriptor expected{};
  expected[11] = 'N';
  expected[16] = 6;
  expected[17] = 2;
  EXPECT_EQ(rebuilt->block, expected);  // no name: the scan generates one

  // The Visual FoxPro family also records where the field lies in the record.
  const auto family = Rebuild(ThreeFields(0x30).Build(), 2);
  ASSERT_TRUE(family);
  EXPECT_EQ(family->block[11], 'C');
  EXPECT_EQ(family->block[12], 1 + 3 + 6);
}

TEST(LostDescriptor, IsLeftAloneUnlessExactlyOneLaterBlockStandsOutInASoundList) {
  EXPECT_FALSE(Rebuild(ThreeFields().Build(), 0));  // the first one lost: nothing to go by
  Bytes twoLost = ThreeFields().Build();
  std::fill_n(twoLost.begin() + 32 + 64, 32, '\xFF');
  EXPECT_FALSE(Rebuild(twoLost, 1));
  EXPECT_FALSE(Rebuild(ThreeFields().HeaderLength(32 * 3 + 33 + 2).Build(), 1));  // header length off the list
  EXPECT_FALSE(Rebuild(ThreeFields().RecordLength(1).Build(), 1));
  Bytes unflagged = ThreeFields().Build();
  unflagged[32 * 3 + 33 + 15 * 15] = 'x';  // a sampled record without a deletion flag
  EXPECT_FALSE(Rebuild(unflagged, 1));
  Bytes noTerminator = ThreeFields().Build();
  noTerminator[32 * 3 + 32] = ' ';
  EXPECT_FALSE(Rebuild(noTerminator, 1));
  EXPECT_FALSE(Rebuild(ThreeFields().RecordLength(1 + 3 + 5).Build(), 1));  // no width left for it
}

TEST(LostDescriptor, APlausibleGarbageBlockIsFoundByItsNameWhenTheRecordCountConfirmsTheLength) {
  const Descriptor plausible = MakeDescriptor("\x01#x", 'N', 99);  // known type and a length
  const auto rebuilt = Rebuild(ThreeFields().Build(), 1, plausible);
  ASSERT_TRUE(rebuilt);
  EXPECT_EQ(rebuilt->block[16], 6);

  EXPECT_FALSE(Rebuild(ThreeFields().RecordCount(19).Build(), 1, plausible));  // count does not confirm
  const Descriptor named = MakeDescriptor("AMOUNT", 'N', 99);
  EXPECT_FALSE(Rebuild(ThreeFields().Build(), 1, named));  // every name valid: no candidate
  EXPECT_FALSE(Rebuild(ThreeFields().Build(), 1, MakeDescriptor("\x01", 'N', 6)));  // the list adds up
}

TEST(LostDescriptor, AWidthBeyondOneByteIsALongCharacterField) {
  TableBuilder table;
  table.Field("ID", 'C', 2).Field("TEXT", 'C', 300 - 256, 1).RecordLength(1 + 2 + 300);
  for (int i = 0; i < 3; ++i) table.Record("id" + std::string(300, 'a' + i));
  const auto rebuilt = Rebuild(table.Build(), 1);
  ASSERT_TRUE(rebuilt);
  EXPECT_EQ(rebuilt->block[11], 'C');
  EXPECT_EQ(rebuilt->block[16], 300 - 256);
  EXPECT_EQ(rebuilt->block[17], 1);
}

TEST(LostDescriptorType, MemoPointersWhereTheHeaderPromisesAMemoOrTheMemoFileConfirmsThem) {
  const std::vector<std::string> digits = {MemoPointerText(1), MemoPointerText(0).replace(9, 1, " "),
                                           MemoPointerText(2)};
  EXPECT_EQ(GuessOf(0x83, 10, digits), (Guess{'M', 10, 0}));  // the version promises a memo
  EXPECT_EQ(GuessOf(0x03, 10, digits), (Guess{'N', 10, 0}));  // nothing does: right-aligned numbers
  const MemoBuilder dbt = MemoBuilder::Dbt().Dbase3(1, "first").Dbase3(2, "second");
  EXPECT_EQ(GuessOf(0x03, 10, digits, 0, &dbt), (Guess{'M', 10, 0}));
  const MemoBuilder stray = MemoBuilder::Dbt().Dbase3(1, "first");
  EXPECT_EQ(GuessOf(0x03, 10, digits, 0, &stray), (Guess{'N', 10, 0}));  // block 2 holds no memo

  const std::vector<std::string> binary = {LittleEndian32(8), LittleEndian32(9), std::string(4, '\0')};
  EXPECT_EQ(GuessOf(0x30, 4, binary, 0x02), (Guess{'M', 4, 0}));  // the table flags promise a memo
  const MemoBuilder fpt = MemoBuilder::Fpt(64).Fox(8, 1, "text").Fox(9, 2, "object");
  EXPECT_EQ(GuessOf(0x30, 4, binary, 0, &fpt, "t.fpt"), (Guess{'M', 4, 0}));
  EXPECT_EQ(GuessOf(0x30, 4, binary), (Guess{'I', 4, 0}));  // no memo file: integers
}

TEST(LostDescriptorType, BlankDatesAndLogicals) {
  EXPECT_EQ(GuessOf(0x03, 8, {std::string(8, ' '), std::string(8, '\0')}), (Guess{'D', 8, 0}));
  EXPECT_EQ(GuessOf(0x03, 5, {"     "}), (Guess{'C', 5, 0}));
  EXPECT_EQ(GuessOf(0x03, 8, {"20240229", "19991231", "        ", "2023XX01"}), (Guess{'D', 8, 0}));
  EXPECT_EQ(GuessOf(0x03, 8, {"20230229", "12345678", "20240101"}), (Guess{'C', 8, 0}));
  EXPECT_EQ(GuessOf(0x03, 1, {"T", "f", "?", " ", "Y"}), (Guess{'L', 1, 0}));
}

TEST(LostDescriptorType, RightAlignedDecimalsAreNumbersButZeroPaddedCodesAreNot) {
  EXPECT_EQ(GuessOf(0x03, 7, {"  12.50", " -3.125", "      7", "       "}), (Guess{'N', 7, 3}));
  EXPECT_EQ(GuessOf(0x03, 5, {"00123", "00456"}), (Guess{'C', 5, 0}));
  EXPECT_EQ(GuessOf(0x03, 5, {"12345", "67890"}), (Guess{'C', 5, 0}));  // nothing shows a number
  EXPECT_EQ(GuessOf(0x03, 2, {"12", "-1"}), (Guess{'N', 2, 0}));
  EXPECT_EQ(GuessOf(0x03, 5, {"  1.5", "1.5  "}), (Guess{'C', 5, 0}));  // not right-aligned
}

TEST(LostDescriptorType, EightBinaryBytesAreADateTimeACurrencyOrADouble) {
  const std::string noon = LittleEndian32(2460000) + LittleEndian32(43200000);
  EXPECT_EQ(GuessOf(0x30, 8, {noon, std::string(8, '\0')}), (Guess{'T', 8, 0}));
  EXPECT_EQ(GuessOf(0x30, 8, {Bin({0x10, 0x27, 0, 0, 0, 0, 0, 0}), Bin({0xF0, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})}),
            (Guess{'Y', 8, 4}));
  const std::string onePointFive = Bin({0, 0, 0, 0, 0, 0, 0xF8, 0x3F});
  EXPECT_EQ(GuessOf(0x30, 8, {onePointFive, Bin({0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0x01, 0x40})}),
            (Guess{'B', 8, 0}));
  EXPECT_EQ(GuessOf(0x03, 8, {onePointFive}), (Guess{'C', 8, 0}));  // a double only in the family
}
