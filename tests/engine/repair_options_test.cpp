#include <gtest/gtest.h>

#include "engine_strings.h"
#include "parse_unsigned.h"
#include "repair_options.h"

using namespace mendrel;

TEST(RepairOptions, ZeroWordTurnsEverythingOffWithDefaultFieldCount) {
  RepairOptions options(0);
  EXPECT_FALSE(options.RecoverDeleted);
  EXPECT_FALSE(options.RepairDate);
  EXPECT_FALSE(options.SplitTable);
  EXPECT_FALSE(options.ReadSrcMemoFile);
  EXPECT_FALSE(options.IgnoreAllZeroSrcMemoFile);
  EXPECT_EQ(options.DBFVersion, 0);
  EXPECT_EQ(options.MaxFieldCount, 255);
}

TEST(RepairOptions, FlagsHoldTheirMaskedBits) {
  RepairOptions options(0x012C081F);
  EXPECT_EQ(options.RecoverDeleted, 0x01u);
  EXPECT_EQ(options.RepairDate, 0x02u);
  EXPECT_EQ(options.SplitTable, 0x04u);
  EXPECT_EQ(options.ReadSrcMemoFile, 0x08u);
  EXPECT_EQ(options.IgnoreAllZeroSrcMemoFile, 0x10u);
  EXPECT_EQ(options.DBFVersion, 8);
  EXPECT_EQ(options.MaxFieldCount, 300);
}

TEST(RepairOptions, UnusedBitsAreIgnored) {
  RepairOptions options(0xE0);
  EXPECT_FALSE(options.RecoverDeleted || options.RepairDate || options.SplitTable ||
               options.ReadSrcMemoFile || options.IgnoreAllZeroSrcMemoFile);
}

TEST(ParseUnsigned, FollowsTheCRulesWithAThirtyTwoBitResult) {
  uint32_t value = 7;
  EXPECT_TRUE(ParseUnsigned("  12abc", value));
  EXPECT_EQ(value, 12u);
  EXPECT_TRUE(ParseUnsigned(" 1", value));
  EXPECT_EQ(value, 1u);
  EXPECT_TRUE(ParseUnsigned("-1", value));
  EXPECT_EQ(value, 4294967295u);
  EXPECT_TRUE(ParseUnsigned("4294967295", value));
  EXPECT_EQ(value, 4294967295u);
  EXPECT_FALSE(ParseUnsigned("4294967296", value));
  EXPECT_FALSE(ParseUnsigned("AB", value));
  EXPECT_FALSE(ParseUnsigned("", value));
  EXPECT_FALSE(ParseUnsigned("-", value));
}

TEST(EngineStrings, FormatsPlaceholdersAndDescriptions) {
  EXPECT_EQ(FormatText(kTextAddRecords, 10ul), "Add 10 records.");
  EXPECT_EQ(FormatText(kTextGeneratedFieldName, 2ul), "Field2");
  EXPECT_EQ(InsertDescription(EngineText(kTextErrorGeneral), "Disk full while accessing a."),
            "Error 2: General error. Disk full while accessing a.");
  EXPECT_STREQ(EngineText(99999), "");
}
