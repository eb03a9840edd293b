#include <gtest/gtest.h>

#include <string>

#include "decimal_number.h"

using namespace mendrel;

TEST(ConsumedDecimalLength, LongNumbersWithoutExponentAreInRangeUpToTheirLimits) {
  EXPECT_EQ(ConsumedDecimalLength(std::string(308, '9')), 308u);  // below 1.8e308
  EXPECT_EQ(ConsumedDecimalLength(std::string(309, '9')), 0u);    // overflows
  EXPECT_EQ(ConsumedDecimalLength("-" + std::string(400, '1')), 0u);
  EXPECT_EQ(ConsumedDecimalLength("0." + std::string(306, '0') + "1x"), 309u);  // 1e-307
  EXPECT_EQ(ConsumedDecimalLength("0." + std::string(309, '0') + "1"), 0u);     // inexact denormal
  EXPECT_EQ(ConsumedDecimalLength("0." + std::string(500, '0')), 502u);         // exact zero
  EXPECT_EQ(ConsumedDecimalLength(std::string(400, '0') + "1.5"), 403u);
}

TEST(ConsumedDecimalLength, AnExponentIsAlwaysCheckedAgainstTheRange) {
  EXPECT_EQ(ConsumedDecimalLength(" 1e308"), 6u);
  EXPECT_EQ(ConsumedDecimalLength(" 1e309"), 0u);
  EXPECT_EQ(ConsumedDecimalLength("0.001e-305"), 0u);
  EXPECT_EQ(ConsumedDecimalLength("1e+"), 1u);  // no exponent digits: not an exponent
}

TEST(IsPlainDecimalNumber, TellsTextsThatAConversionConsumesWhole) {
  for (const char* plain : {"0", "-3", "+12.50", "5.", ".5", "-.5", "007"}) {
    EXPECT_TRUE(IsPlainDecimalNumber(plain)) << plain;
    EXPECT_EQ(ConsumedDecimalLength(plain), std::string(plain).size()) << plain;
  }
  for (const char* other : {"", ".", "-", "+-1", "1.2.3", "1e5", "0x1A", "12 ", " 12", "1,5", "inf"})
    EXPECT_FALSE(IsPlainDecimalNumber(other)) << other;
  EXPECT_TRUE(IsPlainDecimalNumber(std::string(255, '9')));
  EXPECT_FALSE(IsPlainDecimalNumber(std::string(309, '9')));
}
