#include <gtest/gtest.h>

#include "io/volume_root.h"

using namespace mendrel;

namespace {

TEST(VolumeRoot, IsTheDriveRootOrTheServerAndShare) {
  EXPECT_EQ(VolumeRoot("C:\\data\\sales.dbf"), "C:\\");
  EXPECT_EQ(VolumeRoot("d:/data/sales.dbf"), "d:\\");
  EXPECT_EQ(VolumeRoot("Z:"), "Z:\\");
  EXPECT_EQ(VolumeRoot("\\\\server\\share\\data\\sales.dbf"), "\\\\server\\share\\");
  EXPECT_EQ(VolumeRoot("//server/share"), "\\\\server\\share\\");
}

TEST(VolumeRoot, IsEmptyForAPathThatNamesNoVolume) {
  EXPECT_EQ(VolumeRoot(""), "");
  EXPECT_EQ(VolumeRoot("sales.dbf"), "");
  EXPECT_EQ(VolumeRoot("\\data\\sales.dbf"), "");
  EXPECT_EQ(VolumeRoot("/data/sales.dbf"), "");
  EXPECT_EQ(VolumeRoot("\\\\server"), "");
  EXPECT_EQ(VolumeRoot("\\\\server\\"), "");
  EXPECT_EQ(VolumeRoot("\\\\\\share"), "");
  EXPECT_EQ(VolumeRoot("1:\\x"), "");
}

}  // namespace
