#include "header_rebuild.h"

#include <gtest/gtest.h>

#include "table_builder.h"

using namespace mendrel;
using tessaly_test::MakeDescriptor;

namespace {

TableHeader Dated(uint8_t year, uint8_t month, uint8_t day) {
  TableHeader header{};
  header[1] = year;
  header[2] = month;
  header[3] = day;
  return header;
}

std::array<uint8_t, 3> RepairedDate(uint8_t year, uint8_t month, uint8_t day, int currentYear = 2024) {
  TableHeader header = Dated(year, month, day);
  RepairHeaderDate(header, currentYear);
  return {header[1], header[2], header[3]};
}

}  // namespace

TEST(HeaderRebuild, RepairsTheDateOfLastUpdate) {
  using D = std::array<uint8_t, 3>;
  EXPECT_EQ(RepairedDate(200, 5, 5), (D{0, 5, 5}));       // 2100 is after 2024
  EXPECT_EQ(RepairedDate(124, 5, 5), (D{124, 5, 5}));     // the current year itself is fine
  EXPECT_EQ(RepairedDate(100, 13, 5), (D{100, 1, 5}));
  EXPECT_EQ(RepairedDate(100, 0, 0), (D{100, 1, 1}));
  EXPECT_EQ(RepairedDate(100, 4, 31), (D{100, 4, 1}));
  EXPECT_EQ(RepairedDate(100, 2, 29), (D{100, 2, 29}));   // 2000 is a leap year
  EXPECT_EQ(RepairedDate(0, 2, 29), (D{0, 2, 1}));        // 1900 is not
  EXPECT_EQ(RepairedDate(200, 2, 29), (D{0, 2, 1}));      // checked against the mended year
}

TEST(HeaderRebuild, AutoDetectKeepsOrConvertsTheSourceVersion) {
  struct Case { uint8_t current; uint8_t withMemo; uint8_t withoutMemo; };
  const Case cases[] = {
      {0x02, 0x83, 0x02}, {0x03, 0x83, 0x03}, {0x83, 0x83, 0x03}, {0x04, 0x8B, 0x04},
      {0x05, 0x8B, 0x05}, {0x30, 0x30, 0x30}, {0x31, 0x30, 0x30}, {0x43, 0x43, 0x43},
      {0x8E, 0x8E, 0x8E}, {0xB3, 0xB3, 0xB3}, {0xE5, 0xE5, 0xE5}, {0x7B, 0x7B, 0x03},
      {0x8B, 0x8B, 0x03}, {0xF5, 0xF5, 0x03}, {0xFB, 0xFB, 0x03}, {0x32, 0x32, 0x32},
      {0x00, 0x8B, 0x03},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OutputVersionByte(c.current, 0, true), c.withMemo) << int(c.current);
    EXPECT_EQ(OutputVersionByte(c.current, 0, false), c.withoutMemo) << int(c.current);
  }
}

TEST(HeaderRebuild, AChosenVersionSetsTheVersionByte) {
  const uint8_t withMemo[] = {0, 0x83, 0x8B, 0x8B, 0x83, 0xF5, 0xF5, 0xF5, 0x30};
  const uint8_t withoutMemo[] = {0, 0x03, 0x03, 0x03, 0x03, 0x03, 0x03, 0x03, 0x30};
  for (uint8_t choice = 1; choice <= 8; ++choice) {
    EXPECT_EQ(OutputVersionByte(0x8E, choice, true), withMemo[choice]) << int(choice);
    EXPECT_EQ(OutputVersionByte(0x8E, choice, false), withoutMemo[choice]) << int(choice);
  }
  EXPECT_EQ(OutputVersionByte(0x8E, 9, true), 0x8E);
  EXPECT_EQ(OutputVersionByte(0x12, 255, false), 0x12);
}

TEST(HeaderRebuild, WritesLengthsOfTheSelectedFieldsAndClearsReservedBytes) {
  TableHeader header;
  header.fill(0x77);
  header[0] = 0x03;
  header[1] = 100;
  header[2] = 6;
  header[3] = 7;
  RebuildHeader(RepairOptions(0), header, FieldLengths{10, 5, 10}, FieldSelection{1, 1, 0}, 263, true);

  TableHeader expected;
  expected.fill(0x77);
  expected[0] = 0x83;  // a memo field of another part still counts
  expected[1] = 100;
  expected[2] = 6;
  expected[3] = 7;
  for (int i = 4; i < 8; ++i) expected[i] = 0;
  WriteLittle16(&expected[8], 2 * 32 + 263 + 33);
  WriteLittle16(&expected[10], 16);
  expected[12] = expected[13] = 0;
  expected[28] = 0;
  expected[30] = expected[31] = 0;
  EXPECT_EQ(header, expected);
}

TEST(HeaderRebuild, VisualFoxProFlagsTellMemoAndExtraBytes) {
  const FieldLengths twoFields = {10, 4};
  const FieldLengths oneField = {10};
  RepairOptions visualFoxPro(8u << 8);

  TableHeader header{};
  header[0] = 0x03;
  RebuildHeader(visualFoxPro, header, twoFields, FieldSelection{1, 1}, 0, true);
  EXPECT_EQ(header[0], 0x30);
  EXPECT_EQ(header[28], 0x02);

  header = TableHeader{};
  header[0] = 0x31;
  RebuildHeader(RepairOptions(0), header, oneField, FieldSelection{1}, 263, false);
  EXPECT_EQ(header[0], 0x30);
  EXPECT_EQ(header[28], 0x04);

  header = TableHeader{};
  header[0] = 0x32;
  RebuildHeader(RepairOptions(0), header, twoFields, FieldSelection{1, 1}, 263, true);
  EXPECT_EQ(header[0], 0x32);
  EXPECT_EQ(header[28], 0x06);

  header = TableHeader{};
  header[0] = 0x03;
  header[28] = 0x06;
  RebuildHeader(RepairOptions(0), header, twoFields, FieldSelection{1, 1}, 263, true);
  EXPECT_EQ(header[28], 0x00);  // only the Visual FoxPro versions carry flags
}

TEST(HeaderRebuild, LengthsWrapAtSixteenBits) {
  TableHeader header{};
  header[0] = 0x03;
  RebuildHeader(RepairOptions(0), header, FieldLengths(300, 255), FieldSelection(300, 1), 0, false);
  EXPECT_EQ(ReadLittle16(&header[8]), static_cast<uint16_t>(300 * 32 + 33));
  EXPECT_EQ(ReadLittle16(&header[10]), static_cast<uint16_t>(1 + 300 * 255));
}
