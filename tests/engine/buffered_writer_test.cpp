#include "buffered_writer.h"

#include <gtest/gtest.h>

#include "fault_platform.h"
#include "temp_dir.h"
#include "system_error_codes.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {

std::string Text(const std::vector<char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

TEST(BufferedWriter, BytesReachTheFileInOrderAcrossSeeksAndLargeWrites) {
  TempDir dir;
  const std::string path = dir.File("o.dbf");
  {
    CBufferedWriter writer(8);
    ASSERT_TRUE(writer.Open(path.c_str(), CFile64::kWriteFlags, nullptr));
    writer.Write("abc", 3);
    writer.WriteByte('d');
    writer.Write("0123456789ABCDEF", 16);  // larger than the buffer
    writer.Write("xyz", 3);
    writer.Seek(1);
    writer.Write("BC", 2);
    writer.Close();
  }
  EXPECT_EQ(Text(ReadWholeFile(path)), "aBCd0123456789ABCDEFxyz");
}

TEST(BufferedWriter, SmallWritesCostOnePlatformWritePerBuffer) {
  TempDir dir;
  FaultPlatform platform;
  ScopedPlatform installed(platform);
  CBufferedWriter writer(4096);
  ASSERT_TRUE(writer.Open(dir.File("o.dbf").c_str(), CFile64::kWriteFlags, nullptr));
  for (int i = 0; i < 10000; ++i) writer.WriteByte('x');
  writer.Close();
  EXPECT_EQ(platform.CallsOf(PlatformCall::write).size(), 3u);
  EXPECT_EQ(ReadWholeFile(dir.File("o.dbf")).size(), 10000u);
}

TEST(BufferedWriter, DestructionWritesWhatIsPending) {
  TempDir dir;
  {
    CBufferedWriter writer(64);
    ASSERT_TRUE(writer.Open(dir.File("o.dbf").c_str(), CFile64::kWriteFlags, nullptr));
    writer.Write("pending", 7);
  }
  EXPECT_EQ(Text(ReadWholeFile(dir.File("o.dbf"))), "pending");
}

TEST(BufferedWriter, AFailedWriteThrowsTheFileExceptionOnceAndIsNotRepeated) {
  TempDir dir;
  const std::string path = dir.File("o.dbf");
  FaultPlatform platform;
  ScopedPlatform installed(platform);
  platform.FailCallOf(PlatformCall::write, 1, kErrorDiskFull);
  CBufferedWriter writer(64);
  ASSERT_TRUE(writer.Open(path.c_str(), CFile64::kWriteFlags, nullptr));
  writer.Write("lost", 4);
  try {
    writer.FlushBuffer();
    FAIL() << "no exception";
  } catch (const CFileException& failure) {
    EXPECT_EQ(failure.m_cause, CFileException::diskFull);
    EXPECT_EQ(failure.ErrorMessage(), "Disk full while accessing " + path + ".");
  }
  writer.Write("kept", 4);
  writer.Close();
  EXPECT_EQ(Text(ReadWholeFile(path)), "kept");
  EXPECT_EQ(platform.CallsOf(PlatformCall::write).size(), 2u);
}
