#include "field_lengths.h"

#include <gtest/gtest.h>

#include "table_builder.h"

using namespace mendrel;
using tessaly_test::MakeDescriptor;

namespace {

// A character field of 300 bytes stored as length 44 with decimal count 1, and a number
// with 2 decimals.
const FieldList kFields = {MakeDescriptor("TEXT", 'C', 44, 1), MakeDescriptor("PRICE", 'N', 8, 2)};

}  // namespace

TEST(FieldLengths, ALongCharacterFieldIsTakenWhenTheRecordLengthConfirmsIt) {
  EXPECT_EQ(RecordFieldLengths(kFields, 1 + 300 + 8), (FieldLengths{300, 8}));
  EXPECT_EQ(RecordLength(RecordFieldLengths(kFields, 1 + 300 + 8)), 309u);
}

TEST(FieldLengths, PlainLengthsStandOtherwise) {
  EXPECT_EQ(RecordFieldLengths(kFields, 1 + 44 + 8), (FieldLengths{44, 8}));
  EXPECT_EQ(RecordFieldLengths(kFields, 0), (FieldLengths{44, 8}));                // no hint
  EXPECT_EQ(RecordFieldLengths(kFields, 1 + 300 + 8 + 512), (FieldLengths{44, 8}));  // neither adds up
  // Both readings add up only when no character field has a decimal count: plain.
  EXPECT_EQ(RecordFieldLengths({MakeDescriptor("A", 'C', 10)}, 11), (FieldLengths{10}));
}
