#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "io/file64.h"
#include "io/open_request.h"
#include "io/posix_platform.h"
#include "temp_dir.h"

using namespace mendrel;

namespace {

class PosixPlatformTest : public ::testing::Test {
 protected:
  std::string Make(const std::string& name) {
    std::string path = dir.File(name);
    tessaly_test::WriteWholeFile(path, {'x'});
    return path;
  }
  FileHandle OpenOrFail(const std::string& path, uint32_t flags) {
    FileHandle handle = kInvalidHandle;
    EXPECT_EQ(platform.Open(path.c_str(), OpenRequestForFlags(flags), handle), 0);
    return handle;
  }

  tessaly_test::TempDir dir;
  PosixPlatform platform;
};

TEST_F(PosixPlatformTest, OpenedDescriptorsBlockAndAreInheritedOnlyWhenAsked) {
  std::string path = Make("f");
  for (uint32_t flags : {CFile64::kReadFlags, CFile64::kReadFlags | CFile64::modeNoInherit}) {
    FileHandle handle = OpenOrFail(path, flags);
    int descriptor = static_cast<int>(handle);
    EXPECT_EQ(fcntl(descriptor, F_GETFL) & O_NONBLOCK, 0);
    bool closesOnExec = (fcntl(descriptor, F_GETFD) & FD_CLOEXEC) != 0;
    EXPECT_EQ(closesOnExec, (flags & CFile64::modeNoInherit) != 0);
    FileHandle copy = kInvalidHandle;
    ASSERT_EQ(platform.Duplicate(handle, copy), 0);
    EXPECT_NE(fcntl(static_cast<int>(copy), F_GETFD) & FD_CLOEXEC, 0);
    EXPECT_EQ(platform.Close(copy), 0);
    EXPECT_EQ(platform.Close(handle), 0);
  }
}

TEST_F(PosixPlatformTest, SameFileIsToldByDeviceAndInode) {
  std::string file = Make("a.dbf");
  std::string other = Make("b.dbf");
  std::string link = dir.File("link.dbf");
  std::string symlink = dir.File("sym.dbf");
  ASSERT_EQ(::link(file.c_str(), link.c_str()), 0);
  ASSERT_EQ(::symlink(file.c_str(), symlink.c_str()), 0);
  EXPECT_TRUE(platform.IsSameFile(file.c_str(), link.c_str()));
  EXPECT_TRUE(platform.IsSameFile(symlink.c_str(), file.c_str()));
  EXPECT_FALSE(platform.IsSameFile(file.c_str(), other.c_str()));
  EXPECT_FALSE(platform.IsSameFile(file.c_str(), dir.File("missing").c_str()));
}

TEST_F(PosixPlatformTest, FullPathResolvesDotsByName) {
  std::string full;
  ASSERT_EQ(platform.FullPath("/a/./b/../c.dbf", full), 0);
  EXPECT_EQ(full, "/a/c.dbf");
  ASSERT_EQ(platform.FullPath("c.dbf", full), 0);
  EXPECT_EQ(full, (std::filesystem::current_path() / "c.dbf").string());
  EXPECT_EQ(platform.FullPath("", full), ENOENT);
}

TEST_F(PosixPlatformTest, FoldersAreListedAndNamesTestedForExistence) {
  Make("SALES.DBF");
  Make("sales.fpt");
  std::vector<std::string> names;
  ASSERT_EQ(platform.ListFolder(dir.path().string().c_str(), names), 0);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"SALES.DBF", "sales.fpt"}));
  EXPECT_EQ(platform.ListFolder(dir.File("none").c_str(), names), ENOENT);
  EXPECT_TRUE(platform.Exists(dir.File("sales.fpt").c_str()));
  EXPECT_FALSE(platform.Exists(dir.File("sales.dbt").c_str()));
}

TEST_F(PosixPlatformTest, SectorSizeIsAPowerOfTwoOrUnknown) {
  uint32_t size = platform.BytesPerSector(Make("f").c_str());
  EXPECT_TRUE(size == 0 || (size >= 512 && (size & (size - 1)) == 0)) << size;
  EXPECT_EQ(platform.BytesPerSector(dir.File("missing").c_str()), 0u);
}

TEST_F(PosixPlatformTest, ReadOnlyFileIsReportedAsSuch) {
  std::string path = Make("ro");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  FileHandle handle = OpenOrFail(path, CFile64::kReadFlags);
  FileStatus status;
  ASSERT_EQ(platform.GetStatus(handle, path, status), 0);
  EXPECT_EQ(status.attributes, kAttributeReadOnly | kAttributeArchive);
  EXPECT_EQ(status.size, 1u);
  platform.Close(handle);
}

}  // namespace
