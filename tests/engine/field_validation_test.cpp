#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <string>

#include "field_validation.h"
#include "mendrel.h"

using namespace mendrel;

namespace {

std::array<uint8_t, 32> Descriptor(char type, uint8_t length) {
  std::array<uint8_t, 32> descriptor{};
  descriptor[kFieldType] = static_cast<uint8_t>(type);
  descriptor[kFieldLength] = length;
  return descriptor;
}

// The field after CheckFieldValue; bytes may hold NULs.
std::string Checked(char type, std::string bytes, bool repairDate = false) {
  const auto descriptor = Descriptor(type, static_cast<uint8_t>(bytes.size()));
  const RepairOptions options(repairDate ? MENDREL_OPT_REPAIR_DATE : 0);
  CheckFieldValue(bytes.data(), descriptor.data(), options);
  return bytes;
}

std::string Date(std::string bytes, bool repairDate = true) { return Checked('D', std::move(bytes), repairDate); }
std::string Number(std::string bytes) { return Checked('N', std::move(bytes)); }

}  // namespace

TEST(DaysInMonth, FollowsTheGregorianLeapYears) {
  EXPECT_EQ(DaysInMonth(2005, 1), 31u);
  EXPECT_EQ(DaysInMonth(2005, 4), 30u);
  EXPECT_EQ(DaysInMonth(2005, 12), 31u);
  EXPECT_EQ(DaysInMonth(2005, 2), 28u);
  EXPECT_EQ(DaysInMonth(2004, 2), 29u);
  EXPECT_EQ(DaysInMonth(1900, 2), 28u);
  EXPECT_EQ(DaysInMonth(2000, 2), 29u);
  EXPECT_EQ(DaysInMonth(2005, 0), 0u);
  EXPECT_EQ(DaysInMonth(2005, 13), 0u);
}

TEST(DateField, RepairsDayBeyondMonthEnd) {
  EXPECT_EQ(Date("20050229"), "20050201");
  EXPECT_EQ(Date("20040229"), "20040229");
  EXPECT_EQ(Date("19000229"), "19000201");
  EXPECT_EQ(Date("20051332"), "20050101");  // month first, then the day against January
}

TEST(DateField, ReplacesYearsOutsideTheAcceptedRange) {
  EXPECT_EQ(Date("18991231"), "19001231");
  EXPECT_EQ(Date("20510101"), "19000101");
}

TEST(DateField, KeepsPartsThatConvertAfterWhiteSpace) {
  EXPECT_EQ(Date("2005 1 1"), "2005 1 1");
}

TEST(DateField, RepairsOnlyWithTheOption) {
  EXPECT_EQ(Date("2005AB07"), "20050107");
  EXPECT_EQ(Date("2005AB07", false), "2005AB07");
  EXPECT_EQ(Date(std::string("2005AB\0\0", 8), false), "2005AB  ");  // bytes after a NUL become spaces
}

TEST(DateField, BlankOrShortDates) {
  EXPECT_EQ(Date(std::string(8, '\0')), "        ");
  EXPECT_EQ(Date(std::string("2005\0\0\0\0", 8)), "20050101");
  EXPECT_EQ(Date(std::string("20051\0\0\0", 8)), "2005101 ");
  EXPECT_EQ(Date("        "), "        ");
}

TEST(DateField, LeadingSpacesAreDroppedOnlyWhenRepaired) {
  EXPECT_EQ(Date("  200501"), "20050101");  // trimmed text "200501": day missing
  EXPECT_EQ(Date("  200501", false), "  200501");
}

TEST(DateField, EightDigitDatesAreJudgedAtTheEdgesOfEveryRange) {
  for (const char* kept : {"19000101", "20501231", "20000229", "20051130", "19991231"})
    EXPECT_EQ(Date(kept), kept);
  EXPECT_EQ(Date("20051131"), "20051101");
  EXPECT_EQ(Date("20050001"), "20050101");
  EXPECT_EQ(Date("20051200"), "20051201");
  EXPECT_EQ(Date("00000000", false), "00000000");
  EXPECT_EQ(Date(std::string("20050101\0x", 10)), "20050101  ");  // the bytes after the text
}

TEST(DateField, ANewTextLongerThanTheFieldIsCut) {
  EXPECT_EQ(Date("X"), "1");  // "19000101" cut to one byte
  EXPECT_EQ(Date("2005010112"), "2005010112");  // parts beyond the day are not looked at
}

TEST(NumericField, KeepsTheConsumedNumberRightAligned) {
  EXPECT_EQ(Number("12.5ab"), "  12.5");
  EXPECT_EQ(Number("    -3"), "    -3");
  EXPECT_EQ(Number("      "), "      ");
  EXPECT_EQ(Number(std::string("3.5\0x", 5)), "  3.5");
  EXPECT_EQ(Number("1.5e+2"), "1.5e+2");
  EXPECT_EQ(Number("1.5e+x"), "   1.5");  // an exponent without digits is not consumed
  EXPECT_EQ(Number("  5.  "), "    5.");
  EXPECT_EQ(Number("-.5   "), "   -.5");
  EXPECT_EQ(Number(" \t12  "), "   \t12");  // C white space after the spaces counts as consumed
  EXPECT_EQ(Checked('F', "7,25  "), "     7");  // "." is the decimal point, never ","
}

TEST(NumericField, TextWithoutANumberBecomesZero) {
  EXPECT_EQ(Number(std::string("abc\0\0\0", 6)), "     0");
  EXPECT_EQ(Number("  .e5 "), "     0");
  EXPECT_EQ(Number("+     "), "     0");
}

TEST(NumericField, OnlyTheDecimalFormCounts) {
  EXPECT_EQ(Number("0x1A  "), "     0");
  EXPECT_EQ(Number("-0x1A "), "     0");
  EXPECT_EQ(Number("0x    "), "     0");  // C also stops after the 0 here
  EXPECT_EQ(Number("inf   "), "     0");
  EXPECT_EQ(Number("-nan  "), "     0");
  EXPECT_EQ(Number("12x34 "), "    12");
}

TEST(NumericField, OutOfRangeValuesBecomeZero) {
  EXPECT_EQ(Number("1e999 "), "     0");
  EXPECT_EQ(Number("-1e999"), "     0");
  EXPECT_EQ(Number("1e-400"), "     0");  // underflows to zero
  EXPECT_EQ(Checked('N', "1e-310            "), std::string(17, ' ') + "0");  // inexact denormal
  EXPECT_EQ(Checked('N', "2.2250738585072014e-308"), "2.2250738585072014e-308");  // smallest normal
  EXPECT_EQ(Checked('N', "0e-999"), "0e-999");  // exact zero is in range
}

TEST(NumericField, DoesNotDependOnTheLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
  EXPECT_EQ(Number("1.5e99"), "1.5e99");
  EXPECT_EQ(Number("1,5e99"), "     1");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(LogicalField, KeepsKnownValuesAndBlanksTheRest) {
  EXPECT_EQ(Checked('L', "X"), "?");
  EXPECT_EQ(Checked('L', "t"), "t");
  EXPECT_EQ(Checked('L', "Yxx"), "Y  ");
  EXPECT_EQ(Checked('L', std::string(1, '\0')), "?");  // NUL is not one of the values
  for (char value : std::string(" ?YyNnTtFf")) EXPECT_EQ(Checked('L', std::string(1, value)), std::string(1, value));
}

TEST(CheckFieldValue, LeavesOtherTypesUnchanged) {
  const std::string bytes("ab\0\xFF" "1e999", 9);
  for (char type : std::string("CITYBMGPVO+0")) EXPECT_EQ(Checked(type, bytes), bytes) << type;
}

TEST(CheckFieldValue, IgnoresFieldsOfLengthZero) {
  std::string bytes = "X";
  const auto descriptor = Descriptor('L', 0);
  CheckFieldValue(bytes.data(), descriptor.data(), RepairOptions(0));
  EXPECT_EQ(bytes, "X");
}

namespace {

// RepairFieldValue with no source memo file: a memo pointer is cleared, so a field that
// changes to blanks was treated as one.
std::string Repaired(char type, std::string bytes, uint8_t sourceVersion, uint8_t versionOption = 0) {
  const auto descriptor = Descriptor(type, static_cast<uint8_t>(bytes.size()));
  CMemoFile closedSource, closedOutput;
  const RepairOptions options(MendrelPackOptions(0, versionOption, 255));
  RepairFieldValue(bytes.data(), descriptor.data(), closedSource, closedOutput, sourceVersion, options);
  return bytes;
}

}  // namespace

TEST(RepairFieldValue, BFieldIsAMemoPointerOnlyInTheDbaseFamily) {
  const std::string pointer = "        12";
  const std::string cleared(10, ' ');
  for (uint8_t dbase : {0x03, 0x83, 0x04, 0x7B, 0x8B, 0x8E, 0x05, 0x00}) {
    EXPECT_EQ(Repaired('B', pointer, dbase), cleared) << int{dbase};
  }
  for (uint8_t other : {0x02, 0x30, 0x31, 0xF5, 0xFB}) EXPECT_EQ(Repaired('B', pointer, other), pointer) << int{other};
  EXPECT_EQ(Repaired('B', pointer, 0xF5, MENDREL_VERSION_DBASE4), cleared);
  EXPECT_EQ(Repaired('B', pointer, 0x03, MENDREL_VERSION_FOXPRO20), pointer);
}

TEST(RepairFieldValue, MemoTypesLoseTheirDataWithoutASourceMemo) {
  for (char type : std::string("GMPV")) EXPECT_EQ(Repaired(type, "        12", 0xF5), std::string(10, ' ')) << type;
  EXPECT_EQ(Repaired('M', std::string("\x08\0\0\0", 4), 0x30), std::string(4, '\0'));
}

TEST(RepairFieldValue, ChecksValueTypesAndLeavesTheRest) {
  EXPECT_EQ(Repaired('L', "X", 0x03), "?");
  EXPECT_EQ(Repaired('N', "abc", 0x03), "  0");
  EXPECT_EQ(Repaired('F', "1e999", 0x30), "    0");
  const std::string bytes("x\0y", 3);
  for (char type : std::string("CITXYO+@")) EXPECT_EQ(Repaired(type, bytes, 0x30), bytes) << type;
}

TEST(RepairFieldValue, IgnoresMissingDescriptorsAndEmptyFields) {
  std::string bytes = "        12";
  CMemoFile closedSource, closedOutput;
  RepairFieldValue(bytes.data(), nullptr, closedSource, closedOutput, 0x03, RepairOptions(0));
  const auto empty = Descriptor('M', 0);
  RepairFieldValue(bytes.data(), empty.data(), closedSource, closedOutput, 0x03, RepairOptions(0));
  EXPECT_EQ(bytes, "        12");
}

TEST(RepairFieldValue, TheVisualFoxProFamilyKeepsVarcharsInTheRecordAndBlobsOfFourBytesInTheMemo) {
  const std::string text = "        12";
  const std::string binary("\x08\0\0\0", 4);
  for (uint8_t family : {0x30, 0x31, 0x32}) {
    for (char type : std::string("VQ0W")) EXPECT_EQ(Repaired(type, text, family), text) << type << int{family};
    EXPECT_EQ(Repaired('W', binary, family), std::string(4, '\0')) << int{family};
    EXPECT_EQ(Repaired('B', text, family), text) << int{family};  // a double
  }
  EXPECT_EQ(Repaired('V', text, 0x03), std::string(10, ' '));  // a memo pointer elsewhere
}

// What the mend report counts: a value is mended when a byte of it changed.
TEST(CheckFieldValue, TellsAMendOnlyWhenAByteChanged) {
  auto mends = [](char type, std::string bytes) {
    const auto descriptor = Descriptor(type, static_cast<uint8_t>(bytes.size()));
    return CheckFieldValue(bytes.data(), descriptor.data(), RepairOptions(MENDREL_OPT_REPAIR_DATE));
  };
  EXPECT_EQ(mends('N', "  1e5"), kNoMend);  // rewritten by the slow path, byte for byte the same
  EXPECT_EQ(mends('N', "  12 "), kMendNumber);
  EXPECT_EQ(mends('N', std::string("  12\0", 5)), kMendNumber);
  EXPECT_EQ(mends('D', "        "), kNoMend);
  EXPECT_EQ(mends('D', std::string(8, '\0')), kMendDate);
  EXPECT_EQ(mends('D', "20051332"), kMendDate + (kDateMonthReplaced | kDateDayReplaced));
  EXPECT_EQ(mends('L', "Y"), kNoMend);
  EXPECT_EQ(mends('L', "Yx"), kMendLogical);
  EXPECT_EQ(mends('L', "X"), kMendLogical);
}
