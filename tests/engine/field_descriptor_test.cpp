#include "field_descriptor.h"

#include <gtest/gtest.h>

#include "table_builder.h"

using namespace mendrel;
using tessaly_test::MakeDescriptor;

namespace {

constexpr uint8_t kDbase3 = 0x03;

}  // namespace

TEST(FieldDescriptor, NeedsTwoOfNameTypeAndLength) {
  EXPECT_TRUE(IsPlausibleDescriptor(MakeDescriptor("NAME", 'C', 10), kDbase3));
  EXPECT_TRUE(IsPlausibleDescriptor(MakeDescriptor("1AB", 'N', 5), kDbase3));   // type and length
  EXPECT_TRUE(IsPlausibleDescriptor(MakeDescriptor("", 'C', 10), kDbase3));     // type and length
  EXPECT_TRUE(IsPlausibleDescriptor(MakeDescriptor("NAME", 'Q', 10), kDbase3));  // name and length
  EXPECT_TRUE(IsPlausibleDescriptor(MakeDescriptor("NAME", 'C', 0), kDbase3));   // name and type
  EXPECT_FALSE(IsPlausibleDescriptor(MakeDescriptor("NAME", 'Q', 0), kDbase3));
  EXPECT_FALSE(IsPlausibleDescriptor(FieldDescriptor{}, kDbase3));
  FieldDescriptor spaces;
  spaces.fill(' ');
  EXPECT_FALSE(IsPlausibleDescriptor(spaces, kDbase3));
}

TEST(FieldDescriptor, KnowsTheFourteenTypeLettersAndTheMemoTypes) {
  for (char type : std::string("BCDFGILMNPTVXY")) EXPECT_TRUE(IsKnownFieldType(type, kDbase3)) << type;
  for (char type : std::string("AEOQWZcm+@0")) EXPECT_FALSE(IsKnownFieldType(type, kDbase3)) << type;
  EXPECT_FALSE(IsKnownFieldType(0, kDbase3));
  for (char type : std::string("GMPV")) EXPECT_TRUE(IsMemoFieldType(type)) << type;
  for (char type : std::string("BCDN")) EXPECT_FALSE(IsMemoFieldType(type)) << type;
  EXPECT_TRUE(HasMemoField({MakeDescriptor("A", 'C', 1), MakeDescriptor("B", 'V', 4)}, kDbase3));
  EXPECT_FALSE(HasMemoField({MakeDescriptor("A", 'C', 1), MakeDescriptor("B", 'B', 10)}, kDbase3));
}

TEST(FieldDescriptor, RepairMendsNameAndTypeAndClearsTheLastByte) {
  FieldDescriptor block = MakeDescriptor("1AB", 'Q', 7, 2);
  block[12] = 0x44;
  block[31] = 0x99;
  RepairDescriptor(block, kDbase3);
  FieldDescriptor expected = MakeDescriptor("FAB", 'C', 7, 2);
  expected[12] = 0x44;
  EXPECT_EQ(block, expected);
}

TEST(FieldDescriptor, TheVisualFoxProFamilyKnowsItsOwnTypes) {
  for (uint8_t family : {0x30, 0x31, 0x32}) {
    for (char type : std::string("BCDFGILMNPTVXY0QW")) EXPECT_TRUE(IsKnownFieldType(type, family)) << type;
    EXPECT_FALSE(IsMemoField('V', 10, family));
    EXPECT_TRUE(IsMemoField('W', 4, family));
    EXPECT_FALSE(IsMemoField('W', 10, family));  // text kept in the record
    EXPECT_TRUE(IsMemoField('M', 4, family));
  }
  EXPECT_TRUE(IsMemoField('V', 10, kDbase3));
  EXPECT_FALSE(IsMemoField('W', 4, kDbase3));
  EXPECT_FALSE(HasMemoField({MakeDescriptor("V", 'V', 10)}, 0x32));
}

TEST(FieldDescriptor, ASystemFieldIsAcceptedAndKeptAsItIs) {
  FieldDescriptor nullFlags = MakeDescriptor("_NullFlags", '0', 1);
  nullFlags[18] = 0x05;
  for (uint8_t version : {kDbase3, uint8_t{0x30}}) {
    EXPECT_TRUE(IsPlausibleDescriptor(nullFlags, version));
    FieldDescriptor kept = nullFlags;
    RepairDescriptor(kept, version);
    EXPECT_EQ(kept, nullFlags);
  }
  FieldDescriptor plain = MakeDescriptor("FLAGS", '0', 1);  // no system flag
  RepairDescriptor(plain, kDbase3);
  EXPECT_EQ(plain[11], 'C');
  plain = MakeDescriptor("FLAGS", '0', 1);
  RepairDescriptor(plain, 0x31);
  EXPECT_EQ(plain[11], '0');
}
