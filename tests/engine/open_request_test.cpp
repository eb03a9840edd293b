#include <gtest/gtest.h>

#include "io/file64.h"
#include "io/open_request.h"

using namespace mendrel;

namespace {

TEST(OpenRequest, FlagsTranslateIntoAccessSharingAndCreation) {
  OpenRequest read = OpenRequestForFlags(CFile64::kReadFlags);
  EXPECT_EQ(read.access, FileAccess::read);
  EXPECT_EQ(read.sharing, FileSharing::denyWrite);
  EXPECT_EQ(read.creation, FileCreation::openExisting);
  EXPECT_TRUE(read.inheritable);
  OpenRequest write = OpenRequestForFlags(CFile64::kWriteFlags);
  EXPECT_EQ(write.access, FileAccess::write);
  EXPECT_EQ(write.sharing, FileSharing::exclusive);
  EXPECT_EQ(write.creation, FileCreation::createAlways);
  OpenRequest other = OpenRequestForFlags(0x3000 | 0x0080 | 0x0050 | 0x0003);
  EXPECT_EQ(other.access, FileAccess::none);
  EXPECT_EQ(other.sharing, FileSharing::exclusive);  // share values above denyNone
  EXPECT_EQ(other.creation, FileCreation::openAlways);
  EXPECT_FALSE(other.inheritable);
}

}  // namespace
