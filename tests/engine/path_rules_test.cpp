#include "path_rules.h"

#include <gtest/gtest.h>

using namespace mendrel;

TEST(PathRules, TheExtensionIsTheTextFromTheLastDotOfTheLastComponent) {
  EXPECT_EQ(FileExtension("/data/sales.dbf"), ".dbf");
  EXPECT_EQ(FileExtension("/data/sales.tar.DBF"), ".DBF");
  EXPECT_EQ(FileExtension("/data/old.files/sales"), "");
  EXPECT_EQ(FileExtension("sales"), "");
  EXPECT_EQ(FileExtension("sales."), ".");
  EXPECT_EQ(RemoveExtension("/data/old.files/sales"), "/data/old.files/sales");
  EXPECT_EQ(ReplaceExtension("/data/sales.dbf", ".DBT"), "/data/sales.DBT");
  EXPECT_EQ(ReplaceExtension("out", ".FPT"), "out.FPT");
}

#ifdef _WIN32
// "\\" and "/" end a folder, and so does the ":" after a drive letter.
TEST(PathRules, WindowsFoldersEndAtEitherSlashOrAtTheDriveColon) {
  EXPECT_EQ(FileExtension("C:\\data.v2\\sales"), "");
  EXPECT_EQ(FileExtension("C:\\data.v2/sales.dbf"), ".dbf");
  EXPECT_EQ(FileExtension("C:sales.dbf"), ".dbf");
  EXPECT_EQ(FileExtension("C.x:sales"), "");
  EXPECT_EQ(ReplaceExtension("\\\\server\\share.1\\sales", ".DBT"), "\\\\server\\share.1\\sales.DBT");
  EXPECT_EQ(MakeSplitFileName("D:\\out.d\\sales.dbf", 2), "D:\\out.d\\sales_2.dbf");
}
#endif

TEST(PathRules, SplitFileNamesNumberThePartBeforeTheExtension) {
  EXPECT_EQ(MakeSplitFileName("/out/sales.dbf", 2), "/out/sales_2.dbf");
  EXPECT_EQ(MakeSplitFileName("/out/sales", 1), "/out/sales_1");
  EXPECT_EQ(MakeSplitFileName("/out.d/sales", 4294967295u), "/out.d/sales_4294967295");
}
