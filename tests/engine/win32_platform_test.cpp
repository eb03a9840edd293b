#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "io/file64.h"
#include "io/open_request.h"
#include "io/win32_platform.h"
#include "system_error_codes.h"
#include "temp_dir.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {

class Win32PlatformTest : public ::testing::Test {
 protected:
  std::string Make(const std::string& name, const std::string& text = "x") {
    std::string path = dir.File(name);
    WriteWholeFile(path, std::vector<char>(text.begin(), text.end()));
    return path;
  }
  FileHandle OpenOrFail(const std::string& path, uint32_t flags) {
    FileHandle handle = kInvalidHandle;
    EXPECT_EQ(platform.Open(path.c_str(), OpenRequestForFlags(flags), handle), 0);
    return handle;
  }
  static bool Inheritable(FileHandle handle) {
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(reinterpret_cast<HANDLE>(handle), &flags));
    return (flags & HANDLE_FLAG_INHERIT) != 0;
  }

  TempDir dir;
  Win32Platform platform;
};

TEST_F(Win32PlatformTest, HandlesAreInheritedOnlyWhenAskedAndCopiesNever) {
  std::string path = Make("f");
  for (uint32_t flags : {CFile64::kReadFlags, CFile64::kReadFlags | CFile64::modeNoInherit}) {
    FileHandle handle = OpenOrFail(path, flags);
    EXPECT_EQ(Inheritable(handle), (flags & CFile64::modeNoInherit) == 0);
    FileHandle copy = kInvalidHandle;
    ASSERT_EQ(platform.Duplicate(handle, copy), 0);
    EXPECT_FALSE(Inheritable(copy));
    EXPECT_EQ(platform.Close(copy), 0);
    EXPECT_EQ(platform.Close(handle), 0);
  }
}

TEST_F(Win32PlatformTest, ASecondOpenerIsHeldToTheFirstOnesSharing) {
  std::string path = Make("shared.dbf", "keep me");
  FileHandle exclusive = OpenOrFail(path, CFile64::modeRead | CFile64::shareExclusive);
  FileHandle second = kInvalidHandle;
  EXPECT_EQ(platform.Open(path.c_str(), OpenRequestForFlags(CFile64::kReadFlags), second),
            kErrorSharingViolation);
  EXPECT_EQ(platform.Open(path.c_str(), OpenRequestForFlags(CFile64::kWriteFlags), second),
            kErrorSharingViolation);
  platform.Close(exclusive);
  EXPECT_EQ(ReadWholeFile(path).size(), 7u);  // the refused create truncated nothing
}

TEST_F(Win32PlatformTest, PositionedTransfersLeaveTheFilePointerWhereItWas) {
  std::string path = Make("data", "0123456789");
  FileHandle handle = OpenOrFail(path, CFile64::modeReadWrite | CFile64::shareExclusive);
  uint64_t position = 0;
  ASSERT_EQ(platform.Seek(handle, 3, SeekOrigin::begin, position), 0);
  char bytes[4] = {};
  uint32_t done = 0;
  EXPECT_EQ(platform.ReadAt(handle, bytes, 4, 6, done), 0);
  EXPECT_EQ(std::string(bytes, done), "6789");
  EXPECT_EQ(platform.ReadAt(handle, bytes, 4, 20, done), 0);  // beyond the end
  EXPECT_EQ(done, 0u);
  EXPECT_EQ(platform.WriteAt(handle, "ab", 2, 0, done), 0);
  EXPECT_EQ(platform.SetSize(handle, 8), 0);
  ASSERT_EQ(platform.Seek(handle, 0, SeekOrigin::current, position), 0);
  EXPECT_EQ(position, 3u);
  EXPECT_EQ(platform.Read(handle, bytes, 4, done), 0);
  EXPECT_EQ(std::string(bytes, done), "3456");
  platform.Close(handle);
  EXPECT_EQ(ReadWholeFile(path), (std::vector<char>{'a', 'b', '2', '3', '4', '5', '6', '7'}));
}

TEST_F(Win32PlatformTest, PositionsAndSizesBeyondFourGigabytesUseBothHalves) {
  std::string path = Make("big");
  FileHandle handle = OpenOrFail(path, CFile64::modeReadWrite | CFile64::shareExclusive);
  const uint64_t size = 0x100000005ull;  // sparse where the file system allows
  ASSERT_EQ(platform.SetSize(handle, size), 0);
  uint64_t found = 0;
  EXPECT_EQ(platform.GetSize(handle, found), 0);
  EXPECT_EQ(found, size);
  EXPECT_EQ(platform.Seek(handle, -1, SeekOrigin::end, found), 0);
  EXPECT_EQ(found, size - 1);
  EXPECT_EQ(platform.Seek(handle, -int64_t(size), SeekOrigin::current, found), kErrorBadSeek);
  EXPECT_EQ(platform.LockRange(handle, 0xFFFFFFFFull, 2), 0);  // straddles the halves
  EXPECT_EQ(platform.UnlockRange(handle, 0xFFFFFFFFull, 2), 0);
  EXPECT_EQ(platform.SetSize(handle, 0), 0);
  platform.Close(handle);
}

TEST_F(Win32PlatformTest, SameFileIsToldByVolumeAndFileIndex) {
  std::string file = Make("a.dbf");
  std::string other = Make("b.dbf");
  std::string link = dir.File("link.dbf");
  ASSERT_TRUE(CreateHardLinkA(link.c_str(), file.c_str(), nullptr));
  EXPECT_TRUE(platform.IsSameFile(file.c_str(), link.c_str()));
  EXPECT_TRUE(platform.IsSameFile(file.c_str(), dir.File("A.DBF").c_str()));
  EXPECT_FALSE(platform.IsSameFile(file.c_str(), other.c_str()));
  EXPECT_FALSE(platform.IsSameFile(file.c_str(), dir.File("missing").c_str()));
  const std::string folder = dir.path().string();
  EXPECT_TRUE(platform.IsSameFile(folder.c_str(), (folder + "\\sub\\..").c_str()));
}

TEST_F(Win32PlatformTest, FullPathResolvesDotsByName) {
  std::string full;
  ASSERT_EQ(platform.FullPath("C:\\a\\.\\b\\..\\c.dbf", full), 0);
  EXPECT_EQ(full, "C:\\a\\c.dbf");
  ASSERT_EQ(platform.FullPath("c.dbf", full), 0);
  EXPECT_EQ(full, (std::filesystem::current_path() / "c.dbf").string());
  EXPECT_EQ(platform.FullPath("", full), kErrorFileNotFound);
}

TEST_F(Win32PlatformTest, FoldersAreListedAndNamesTestedForExistence) {
  Make("SALES.DBF");
  Make("sales.fpt");
  std::vector<std::string> names;
  const std::string folder = dir.path().string();
  for (const std::string& form : {folder, folder + "\\"}) {
    ASSERT_EQ(platform.ListFolder(form.c_str(), names), 0) << form;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"SALES.DBF", "sales.fpt"}));
  }
  EXPECT_EQ(platform.ListFolder(dir.File("none").c_str(), names), kErrorPathNotFound);
  EXPECT_TRUE(platform.Exists(dir.File("SALES.fpt").c_str()));  // names ignore case here
  EXPECT_FALSE(platform.Exists(dir.File("sales.dbt").c_str()));
}

TEST_F(Win32PlatformTest, SectorSizeComesFromTheVolumeRoot) {
  std::string full;
  ASSERT_EQ(platform.FullPath(Make("f").c_str(), full), 0);
  uint32_t size = platform.BytesPerSector(full.c_str());
  EXPECT_GE(size, 512u);
  EXPECT_EQ(size & (size - 1), 0u);
  EXPECT_EQ(platform.BytesPerSector("relative.dbf"), 0u);
  EXPECT_EQ(platform.BytesPerSector("\\\\no-such-server\\share\\t.dbf"), 0u);
}

TEST_F(Win32PlatformTest, StatusCarriesTheFileAttributes) {
  std::string path = Make("ro");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  FileHandle handle = OpenOrFail(path, CFile64::kReadFlags);
  FileStatus status;
  ASSERT_EQ(platform.GetStatus(handle, path, status), 0);
  EXPECT_EQ(status.attributes, kAttributeReadOnly | kAttributeArchive);
  EXPECT_EQ(status.size, 1u);
  EXPECT_GT(status.modified, 1000000000);  // after 2001: the epochs were converted
  platform.Close(handle);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
