#include "field_descriptor.h"

#include <gtest/gtest.h>

#include "table_builder.h"

using namespace mendrel;
using tessaly_test::MakeDescriptor;

TEST(FieldDescriptor, NeedsTwoOfNameTypeAndLength) {
  EXPECT_TRUE(IsPlausibleDescriptor(MakeDescriptor("NAME", 'C', 10)));
  EXPECT_TRUE(IsPlausibleDescriptor(MakeDescriptor("1AB", 'N', 5)));   // type and length
  EXPECT_TRUE(IsPlausibleDescriptor(MakeDescriptor("", 'C', 10)));     // type and length
  EXPECT_TRUE(IsPlausibleDescriptor(MakeDescriptor("NAME", 'Q', 10)));  // name and length
  EXPECT_TRUE(IsPlausibleDescriptor(MakeDescriptor("NAME", 'C', 0)));   // name and type
  EXPECT_FALSE(IsPlausibleDescriptor(MakeDescriptor("NAME", 'Q', 0)));
  EXPECT_FALSE(IsPlausibleDescriptor(FieldDescriptor{}));
  FieldDescriptor spaces;
  spaces.fill(' ');
  EXPECT_FALSE(IsPlausibleDescriptor(spaces));
}

TEST(FieldDescriptor, KnowsTheFourteenTypeLettersAndTheMemoTypes) {
  for (char type : std::string("BCDFGILMNPTVXY")) EXPECT_TRUE(IsKnownFieldType(type)) << type;
  for (char type : std::string("AEOQWZcm+@0")) EXPECT_FALSE(IsKnownFieldType(type)) << type;
  EXPECT_FALSE(IsKnownFieldType(0));
  for (char type : std::string("GMPV")) EXPECT_TRUE(IsMemoFieldType(type)) << type;
  for (char type : std::string("BCDN")) EXPECT_FALSE(IsMemoFieldType(type)) << type;
  EXPECT_TRUE(HasMemoField({MakeDescriptor("A", 'C', 1), MakeDescriptor("B", 'V', 4)}));
  EXPECT_FALSE(HasMemoField({MakeDescriptor("A", 'C', 1), MakeDescriptor("B", 'B', 10)}));
}

TEST(FieldDescriptor, RepairMendsNameAndTypeAndClearsTheLastByte) {
  FieldDescriptor block = MakeDescriptor("1AB", 'Q', 7, 2);
  block[12] = 0x44;
  block[31] = 0x99;
  RepairDescriptor(block);
  FieldDescriptor expected = MakeDescriptor("FAB", 'C', 7, 2);
  expected[12] = 0x44;
  EXPECT_EQ(block, expected);
}
