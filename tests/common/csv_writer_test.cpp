// RFC 4180 lines: which fields are quoted and how.
#include <gtest/gtest.h>

#include "csv_writer.h"

using tessaly_common::CsvLine;

TEST(CsvWriter, QuotesOnlyFieldsWithACommaAQuoteOrALineBreak) {
  EXPECT_EQ(CsvLine({"plain", " spaced ", ""}), "plain, spaced ,\r\n");
  EXPECT_EQ(CsvLine({"a,b", "say \"hi\"", "two\r\nlines", "cr\r", "lf\n"}),
            "\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\"cr\r\",\"lf\n\"\r\n");
  EXPECT_EQ(CsvLine({"\""}), "\"\"\"\"\r\n");
}

TEST(CsvWriter, ALineOfOneEmptyFieldIsNotAnEmptyLine) {
  EXPECT_EQ(CsvLine({""}), "\"\"\r\n");
  EXPECT_EQ(CsvLine({"", ""}), ",\r\n");
}
