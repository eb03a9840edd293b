#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <vector>

#include "fault_platform.h"
#include "io/file64.h"
#include "native_file.h"
#include "temp_dir.h"
#include "system_error_codes.h"

using namespace mendrel;
using tessaly_test::FaultPlatform;
using tessaly_test::PlatformCall;
using namespace tessaly_test;

namespace {

class File64Test : public ::testing::Test {
 protected:
  std::string Make(const std::string& name, const std::string& text) {
    std::string path = dir.File(name);
    tessaly_test::WriteWholeFile(path, std::vector<char>(text.begin(), text.end()));
    return path;
  }
  std::string Content(const std::string& path) {
    auto bytes = tessaly_test::ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
  }
  CFileException FailedOpen(const std::string& name, uint32_t flags) {
    CFile64 file;
    CFileException error;
    EXPECT_FALSE(file.Open(name.c_str(), flags, &error)) << name;
    EXPECT_FALSE(file.IsOpen());
    return error;
  }

  tessaly_test::TempDir dir;
};

TEST_F(File64Test, OpenRemembersTheFullPathAndFailuresTheNameAsPassed) {
  std::string path = Make("table.dbf", "x");
  const std::filesystem::path cwd = std::filesystem::current_path();
  std::filesystem::create_directory(dir.path() / "sub");
  std::filesystem::current_path(dir.path());
  CFile64 file;
  EXPECT_TRUE(file.Open("./sub/../table.dbf", CFile64::kReadFlags));
  EXPECT_EQ(file.GetFilePath(), path);
  EXPECT_EQ(file.GetFileName(), "table.dbf");
  EXPECT_EQ(file.GetFileTitle(), "table.dbf");
  CFileException error = FailedOpen("missing.dbf", CFile64::kReadFlags);
  std::filesystem::current_path(cwd);
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(error.m_lOsError, kErrorFileNotFound);
  EXPECT_EQ(error.m_strFileName, "missing.dbf");
}

TEST_F(File64Test, RefusesAnythingButARegularFileAsAccessDenied) {
#ifdef _WIN32
  const std::string device = "NUL";  // a character device, not a disk file
#else
  const std::string device = dir.File("pipe");
  ASSERT_EQ(mkfifo(device.c_str(), 0600), 0);
#endif
  for (const std::string& name : {dir.path().string(), device}) {
    for (uint32_t flags : {CFile64::kReadFlags, CFile64::kWriteFlags}) {
      CFileException error = FailedOpen(name, flags);
      EXPECT_EQ(error.m_cause, CFileException::accessDenied) << name << " " << flags;
      EXPECT_EQ(error.m_lOsError, kErrorAccessDenied);
    }
  }
}

TEST_F(File64Test, SharingModesKeepOtherOpenersOut) {
  std::string path = Make("source.dbf", "keep me");
  CFile64 reader, secondReader, writer;
  ASSERT_TRUE(reader.Open(path.c_str(), CFile64::kReadFlags));
  EXPECT_TRUE(secondReader.Open(path.c_str(), CFile64::kReadFlags));
  CFileException error = FailedOpen(path, CFile64::kWriteFlags);
  EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
  EXPECT_EQ(Content(path), "keep me");  // the create did not truncate
#ifdef _WIN32
  // Sharing is enforced for every opener: the readers keep any writer out.
  EXPECT_FALSE(writer.Open(path.c_str(), CFile64::modeWrite | CFile64::shareDenyNone));
#else
  // Sharing is advisory: an opener that asks for none takes no lock.
  EXPECT_TRUE(writer.Open(path.c_str(), CFile64::modeWrite | CFile64::shareDenyNone));
#endif

  reader.Close();
  secondReader.Close();
  writer.Close();
  ASSERT_TRUE(writer.Open(path.c_str(), CFile64::kWriteFlags));
  EXPECT_EQ(FailedOpen(path, CFile64::kReadFlags).m_cause, CFileException::sharingViolation);
}

TEST_F(File64Test, CreateTruncatesUnlessAskedNotTo) {
  std::string path = Make("out.dbf", "old content");
  CFile64 file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile64::modeCreate | CFile64::modeNoTruncate |
                                          CFile64::modeReadWrite));
  EXPECT_EQ(file.GetLength(), 11u);
  file.Close();
  ASSERT_TRUE(file.Open(path.c_str(), CFile64::kWriteFlags));
  EXPECT_EQ(file.GetLength(), 0u);
  EXPECT_FALSE(FailedOpen(dir.File("absent"), CFile64::modeReadWrite).m_cause == 0);
}

TEST_F(File64Test, ReadsWritesAndMovesThroughTheFilePointer) {
  std::string path = dir.File("data");
  CFile64 file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile64::modeCreate | CFile64::modeReadWrite));
  file.Write("0123456789", 10);
  EXPECT_EQ(file.GetPosition(), 10u);
  EXPECT_EQ(file.Seek(-4, CFile64::end), 6u);
  char bytes[8] = {};
  EXPECT_EQ(file.Read(bytes, 8), 4u);
  EXPECT_EQ(std::string(bytes, 4), "6789");
  EXPECT_EQ(file.Read(bytes, 8), 0u);
  file.SetLength(3);
  EXPECT_EQ(file.GetPosition(), 3u);
  EXPECT_EQ(file.GetLength(), 3u);
  EXPECT_THROW(file.Seek(-1, CFile64::begin), CFileException);
}

TEST_F(File64Test, WriteFillWritesPiecesOfAtMost512Bytes) {
  FaultPlatform faults;
  ScopedPlatform installed(faults);
  std::string path = dir.File("fill");
  CFile64 file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile64::kWriteFlags));
  faults.ForgetCalls();
  WriteFill(file, 0, 'x');
  file.Read(nullptr, 0);
  file.Write(nullptr, 0);
  EXPECT_EQ(faults.CallCount(), 0u);
  WriteFill(file, 1300, ' ');
  WriteByte(file, 0x1A);
  std::vector<uint32_t> pieces;
  for (const auto& call : faults.CallsOf(PlatformCall::write)) pieces.push_back(call.count);
  EXPECT_EQ(pieces, (std::vector<uint32_t>{512, 512, 276, 1}));
  file.Close();
  EXPECT_EQ(Content(path), std::string(1300, ' ') + "\x1A");
}

// Makes each platform call of one short session fail in turn: the open reports it,
// every later call throws a file exception carrying the platform's code.
TEST_F(File64Test, EveryFailingPlatformCallIsReported) {
  std::string path = dir.File("session");
  auto session = [&](CFileException* openError) {
    CFile64 file;
    if (!file.Open(path.c_str(), CFile64::kWriteFlags, openError)) return false;
    file.Write("abc", 3);
    file.SetLength(2);
    file.GetLength();
    file.Flush();
    file.Close();
    return true;
  };
  FaultPlatform counter;
  {
    ScopedPlatform installed(counter);
    ASSERT_TRUE(session(nullptr));
  }
  for (uint64_t n = 1; n <= counter.CallCount(); ++n) {
    FaultPlatform faults;
    ScopedPlatform installed(faults);
    faults.FailCall(n, kErrorHardIO);
    CFileException openError;
    try {
      EXPECT_FALSE(session(&openError)) << n;
      EXPECT_EQ(openError.m_cause, CFileException::hardIO);
      EXPECT_EQ(openError.m_strFileName, path);
    } catch (const CFileException& e) {
      EXPECT_EQ(e.m_cause, CFileException::hardIO) << n;
      EXPECT_EQ(e.m_lOsError, kErrorHardIO);
      EXPECT_EQ(e.m_strFileName, faults.Calls()[n - 1].kind == PlatformCall::write ? path : "");
    }
  }
}

TEST_F(File64Test, CloseForgetsTheFileEvenWhenItFails) {
  FaultPlatform faults;
  ScopedPlatform installed(faults);
  std::string path = Make("f", "x");
  CFile64 file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile64::kReadFlags));
  faults.FailCallOf(PlatformCall::close, 1, kErrorHardIO);
  EXPECT_THROW(file.Close(), CFileException);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.m_bCloseOnDelete, 0);
  EXPECT_EQ(file.GetFilePath(), "");

  ASSERT_TRUE(file.Open(path.c_str(), CFile64::kReadFlags));
  faults.FailCallOf(PlatformCall::close, 2, kErrorHardIO);
  file.Abort();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.GetFilePath(), "");
  file.Abort();
  file.Close();
  file.Flush();
}

TEST_F(File64Test, DuplicateSharesThePositionAndOwnsItsHandle) {
  std::string path = Make("dup", "abcdef");
  CFile64 file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile64::kReadFlags));
  file.Seek(2, CFile64::begin);
  std::unique_ptr<CFile64> copy = file.Duplicate();
  EXPECT_NE(copy->m_hFile, file.m_hFile);
  EXPECT_EQ(copy->m_bCloseOnDelete, 1);
  EXPECT_EQ(copy->GetPosition(), 2u);
  EXPECT_STREQ(copy->GetRuntimeClass()->m_lpszClassName, "CFile64");
  EXPECT_EQ(copy->GetRuntimeClass()->m_pBaseClass, nullptr);
  CFile64 closed;
  EXPECT_THROW(closed.Duplicate(), CFileException);
}

TEST_F(File64Test, RangeLocksConflictAndUnlockingKeepsTheSharingLock) {
  std::string path = Make("locks", "0123456789");
  CFile64 first, second;
#ifdef _WIN32
  // Enforced sharing would refuse the second writer if the first kept writers out.
  const uint32_t firstSharing = CFile64::shareDenyNone;
#else
  const uint32_t firstSharing = CFile64::shareDenyWrite;
#endif
  ASSERT_TRUE(first.Open(path.c_str(), CFile64::modeReadWrite | firstSharing));
  ASSERT_TRUE(second.Open(path.c_str(), CFile64::modeReadWrite | CFile64::shareDenyNone));
  first.LockRange(0, 5);
  EXPECT_THROW(second.LockRange(3, 4), CFileException);
  first.UnlockRange(0, 5);
  EXPECT_EQ(FailedOpen(path, CFile64::kWriteFlags).m_cause, CFileException::sharingViolation);
}

TEST_F(File64Test, StatusDescribesTheOpenFile) {
  std::string path = Make(".hidden", "12345");
#ifdef _WIN32
  // Hidden is an attribute of its own here, not a leading dot.
  ASSERT_TRUE(SetFileAttributeBits(path, kAttributeHidden | kAttributeArchive));
#endif
  CFile64 file;
  CFileStatus status;
  file.SetFilePath("/some/where");
  EXPECT_TRUE(file.GetStatus(status));
  EXPECT_EQ(status.m_szFullName, "/some/where");
  EXPECT_EQ(status.m_mtime, 0);
  ASSERT_TRUE(file.Open(path.c_str(), CFile64::kReadFlags));
  ASSERT_TRUE(file.GetStatus(status));
  EXPECT_EQ(status.m_size, 5u);
  EXPECT_EQ(status.m_szFullName, path);
  EXPECT_NE(status.m_mtime, 0);
  EXPECT_NE(status.m_ctime, 0);
  EXPECT_NE(status.m_atime, 0);
  EXPECT_EQ(status.m_attribute, kAttributeArchive | kAttributeHidden);
}

}  // namespace
