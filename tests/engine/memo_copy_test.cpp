#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memo_file_pair.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {

class CopyMemoFieldTest : public ::testing::Test, protected MemoFilePair {
 protected:
  void CreateOutput(const std::string& name) { MemoFilePair::CreateOutput(name).WriteHeader(); }

  std::string Copy(std::string field) {
    CopyMemoField(field.data(), static_cast<uint32_t>(field.size()), source, output);
    return field;
  }

  // The output with its final header.
  std::string OutputBytes() {
    output.WriteHeader();
    return MemoFilePair::OutputBytes();
  }
};

}  // namespace

TEST_F(CopyMemoFieldTest, CopiesTextPointerMemosToTheNextFreeBlocks) {
  const std::string first(600, 'f');
  OpenSource(MemoBuilder::Dbt().Dbase3(12, first).Dbase3(3, "second"), "src.dbt");
  CreateOutput("out.dbt");
  EXPECT_EQ(Copy("        12"), "         1");
  EXPECT_EQ(Copy("3         "), "         3");  // after the two blocks of the first memo
  EXPECT_EQ(OutputBytes(), DbtHeader(4) + Dbase3Memo(first) + Dbase3Memo("second"));
}

TEST_F(CopyMemoFieldTest, CopiesBinaryPointersOfFourByteFields) {
  OpenSource(MemoBuilder::Fpt(64).Fox(8, 1, "visual"), "src.fpt");
  CreateOutput("out.fpt");
  output.m_nNextBlock = 0x0102;
  EXPECT_EQ(Copy(LittleEndian32(8)), LittleEndian32(0x0102));
}

TEST_F(CopyMemoFieldTest, FourDigitOrSpaceBytesAreAText) {
  OpenSource(MemoBuilder::Dbt().Dbase4(7, "seven"), "src.dbt");
  CreateOutput("out.dbt");
  EXPECT_EQ(Copy("   7"), "   1");
  EXPECT_EQ(OutputBytes(), DbtHeader(2) + Dbase4Memo("seven"));
}

TEST_F(CopyMemoFieldTest, ClearsPointersToNoMemo) {
  OpenSource(MemoBuilder::Fpt(64).FoxWithLength(8, 1, 0, ""), "src.fpt");
  CreateOutput("out.fpt");
  EXPECT_EQ(Copy("         0"), "          ");
  EXPECT_EQ(Copy("         8"), "          ");
  EXPECT_EQ(Copy("       abc"), "          ");
  EXPECT_EQ(Copy(std::string(10, '\0')), "          ");
  EXPECT_EQ(Copy("99999999999"), "           ");  // overflows 32 bits
  EXPECT_EQ(Copy(LittleEndian32(0)), std::string(4, '\0'));
  EXPECT_EQ(Copy(LittleEndian32(8)), std::string(4, '\0'));
  EXPECT_EQ(Copy(LittleEndian32(123456)), std::string(4, '\0'));  // beyond the end
  EXPECT_EQ(OutputBytes(), FptHeader(1));
}

TEST_F(CopyMemoFieldTest, ClearsEveryPointerWhenTheSourceIsNotOpen) {
  CreateOutput("out.dbt");
  EXPECT_EQ(Copy("        12"), "          ");
  EXPECT_EQ(Copy(LittleEndian32(8)), std::string(4, '\0'));
  EXPECT_EQ(OutputBytes(), DbtHeader(1));
}

TEST_F(CopyMemoFieldTest, TypesAbove2BecomeText) {
  OpenSource(MemoBuilder::Fpt(64).Fox(8, 5, "five").Fox(9, 2, "ole"), "src.fpt");
  CreateOutput("out.fpt");
  EXPECT_EQ(Copy("         8"), "         1");
  EXPECT_EQ(Copy("         9"), "         2");
  EXPECT_EQ(OutputBytes(), FptHeader(3) + FoxMemo(1, "five") + FoxMemo(2, "ole"));
}

TEST_F(CopyMemoFieldTest, ADbtMemoGoesToAnFptAsText) {
  OpenSource(MemoBuilder::Dbt().Dbase3(1, "plain"), "src.dbt");
  CreateOutput("out.fpt");
  EXPECT_EQ(Copy("1"), "1");
  EXPECT_EQ(OutputBytes(), FptHeader(2) + FoxMemo(1, "plain"));
}

TEST_F(CopyMemoFieldTest, ANewBlockWiderThanTheFieldKeepsItsFirstDigits) {
  OpenSource(MemoBuilder::Dbt().Dbase3(1, "x"), "src.dbt");
  CreateOutput("out.dbt");
  output.m_nNextBlock = 123;
  EXPECT_EQ(Copy("1 "), "12");
}

TEST_F(CopyMemoFieldTest, AnAnnouncedLengthFarBeyondTheDataCopiesWhatExists) {
  OpenSource(MemoBuilder::Fpt(64).FoxWithLength(8, 1, 0x7FFFFFFFu, "short"), "src.fpt");
  CreateOutput("out.fpt");
  EXPECT_EQ(Copy("         8"), "         1");
  EXPECT_EQ(OutputBytes(), FptHeader(2) + FoxMemo(1, "short"));
}
