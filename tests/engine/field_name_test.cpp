#include "field_name.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace mendrel;

namespace {

struct Name {
  uint8_t bytes[11] = {};
  explicit Name(const std::string& text) { std::memcpy(bytes, text.data(), std::min<size_t>(text.size(), 11)); }
  std::string Text() const { return std::string(reinterpret_cast<const char*>(bytes), 11); }
};

std::string Padded(const std::string& text) { return text + std::string(11 - text.size(), '\0'); }

uint32_t GeneratedNumber(const Name& name) {
  const std::string text(reinterpret_cast<const char*>(name.bytes));
  EXPECT_EQ(text.rfind("Field", 0), 0u) << text;
  return static_cast<uint32_t>(std::stoul(text.substr(5)));
}

}  // namespace

TEST(FieldName, AcceptsLettersDigitsAndUnderscoreAfterALetter) {
  EXPECT_TRUE(IsValidFieldName(Name("A").bytes, 11));
  EXPECT_TRUE(IsValidFieldName(Name("CUST_NO2").bytes, 11));
  EXPECT_TRUE(IsValidFieldName(Name("ABCDEFGHIJK").bytes, 11));  // no NUL at all
  EXPECT_FALSE(IsValidFieldName(Name("1AB").bytes, 11));
  EXPECT_FALSE(IsValidFieldName(Name("A-B").bytes, 11));
  EXPECT_FALSE(IsValidFieldName(Name("").bytes, 11));
  Name garbageAfterNul("AB");
  garbageAfterNul.bytes[5] = 'X';
  EXPECT_FALSE(IsValidFieldName(garbageAfterNul.bytes, 11));
}

TEST(FieldName, MendsInvalidCharactersOfANameWorthKeeping) {
  Name digitFirst("1AB");
  RepairFieldName(digitFirst.bytes, 11);
  EXPECT_EQ(digitFirst.Text(), Padded("FAB"));

  Name highByteFirst("\xFF" "AB");
  RepairFieldName(highByteFirst.bytes, 11);
  EXPECT_EQ(highByteFirst.Text(), Padded("FAB"));

  Name badMiddle("A-B C");
  badMiddle.bytes[7] = 'Z';  // garbage after the first NUL is cleared
  RepairFieldName(badMiddle.bytes, 11);
  EXPECT_EQ(badMiddle.Text(), Padded("A_B_C"));
}

TEST(FieldName, LeavesAValidNameAlone) {
  Name valid("PRICE");
  RepairFieldName(valid.bytes, 11);
  EXPECT_EQ(valid.Text(), Padded("PRICE"));
}

TEST(FieldName, GeneratesNumberedNamesForNamesWithNothingToKeep) {
  Name allHigh(std::string(11, '\xFF'));
  RepairFieldName(allHigh.bytes, 11);
  const uint32_t first = GeneratedNumber(allHigh);
  EXPECT_EQ(allHigh.Text(), Padded("Field" + std::to_string(first)));

  Name empty("");
  RepairFieldName(empty.bytes, 11);
  EXPECT_EQ(GeneratedNumber(empty), first + 1);

  Name nulFirst("");
  nulFirst.bytes[1] = 'A';  // letters after a leading NUL do not count
  RepairFieldName(nulFirst.bytes, 11);
  EXPECT_EQ(GeneratedNumber(nulFirst), first + 2);
}

TEST(FieldName, CutsAGeneratedNameToTheArea) {
  uint8_t area[4] = {0xFF, 0xFF, 0xFF, 0xFF};
  RepairFieldName(area, 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(area), 4), "Fiel");
}
