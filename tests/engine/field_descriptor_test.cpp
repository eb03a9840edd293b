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
