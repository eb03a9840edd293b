#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fault_platform.h"
#include "io/file64ex.h"
#include "temp_dir.h"
#include "system_error_codes.h"

using namespace mendrel;
using namespace tessaly_test;
using tessaly_test::FaultPlatform;
using tessaly_test::PlatformCall;

namespace {

std::vector<char> Pattern(size_t count) {
  std::vector<char> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) | 1);
  return bytes;
}

std::vector<char> Slice(const std::vector<char>& bytes, size_t from, size_t count) {
  return std::vector<char>(bytes.begin() + from, bytes.begin() + from + count);
}

// A pattern file opened for reading through a CFile64Ex with the given buffer size;
// every platform call from the open on is recorded.
class File64ExTest : public ::testing::Test {
 protected:
  void OpenPattern(size_t size, uint32_t bufferSize = CFile64Ex::kDefaultBufferSize,
                   uint32_t flags = CFile64::kReadFlags) {
    content = Pattern(size);
    tessaly_test::WriteWholeFile(path, content);
    file = std::make_unique<CFile64Ex>(bufferSize);
    ASSERT_TRUE(file->Open(path.c_str(), flags));
    faults.ForgetCalls();
  }
  std::vector<char> ReadAt(uint64_t position, uint32_t count) {
    std::vector<char> bytes(count);
    file->Seek(static_cast<int64_t>(position), CFile64::begin);
    bytes.resize(file->Read(bytes.data(), count));
    return bytes;
  }
  std::vector<tessaly_test::RecordedCall> Reads() const {
    auto reads = faults.CallsOf(PlatformCall::read);
    auto positioned = faults.CallsOf(PlatformCall::readAt);
    reads.insert(reads.end(), positioned.begin(), positioned.end());
    return reads;
  }

  tessaly_test::TempDir dir;
  std::string path = dir.File("data.bin");
  std::vector<char> content;
  FaultPlatform faults;
  ScopedPlatform installed{faults};
  std::unique_ptr<CFile64Ex> file;
};

TEST_F(File64ExTest, RefillsTheBufferThatTheRulesChoose) {
  OpenPattern(256, 16);
  FileBuffer& a = *file->m_pBufA;
  FileBuffer& b = *file->m_pBufB;
  ReadAt(0, 1);  // both empty: A
  EXPECT_EQ(a.position, 0u);
  ReadAt(100, 1);  // B empty: B
  EXPECT_EQ(b.position, 100u);
  ReadAt(50, 1);  // B starts after the position: B
  EXPECT_EQ(b.position, 50u);
  ReadAt(200, 1);  // both start before: the lower, A
  EXPECT_EQ(a.position, 200u);
  ReadAt(150, 1);  // B starts before, A after: A
  EXPECT_EQ(a.position, 150u);
  EXPECT_EQ(b.position, 50u);
  EXPECT_EQ(ReadAt(60, 4), Slice(content, 60, 4));  // held by B: no platform call
  EXPECT_EQ(Reads().size(), 5u);
}

TEST_F(File64ExTest, ReadsOfOneBufferGoThroughItAndLargerOnesStraightIn) {
  OpenPattern(1000, 64);
  EXPECT_EQ(ReadAt(10, 64), Slice(content, 10, 64));
  ASSERT_EQ(Reads().size(), 1u);
  EXPECT_EQ(file->m_pBufA->position, 10u);
  EXPECT_EQ(file->m_pBufA->valid, 64u);

  OpenPattern(1000, 64);
  EXPECT_EQ(ReadAt(10, 65), Slice(content, 10, 65));
  auto reads = Reads();
  ASSERT_EQ(reads.size(), 2u);
  EXPECT_EQ(reads[0].offset, 10u);  // 64 bytes into the caller's memory
  EXPECT_EQ(reads[0].count, 64u);
  EXPECT_EQ(reads[1].offset, 74u);  // the last byte through a buffer
  EXPECT_EQ(file->m_pBufA->position, 74u);
  EXPECT_EQ(file->GetPosition(), 75u);
}

TEST_F(File64ExTest, ReadAcrossABufferEndContinuesFromTheOtherBufferOrRefills) {
  OpenPattern(256, 16);
  ReadAt(0, 1);
  EXPECT_EQ(ReadAt(8, 12), Slice(content, 8, 12));  // A, then B filled at 16
  EXPECT_EQ(file->m_pBufB->position, 16u);
  faults.ForgetCalls();
  EXPECT_EQ(ReadAt(4, 24), Slice(content, 4, 24));  // A, then B, no platform call
  EXPECT_TRUE(Reads().empty());
}

TEST_F(File64ExTest, SectorPiecesStartWithTheRestOfTheFirstSector) {
  OpenPattern(9000);
  faults.FailCallOf(PlatformCall::readAt, 1);  // forces the sector-by-sector path
  EXPECT_EQ(ReadAt(700, 100), Slice(content, 700, 100));
  auto pieces = faults.CallsOf(PlatformCall::read);
  ASSERT_EQ(pieces.size(), 9u);  // 324, seven whole sectors, 188
  EXPECT_EQ(pieces[0].offset, 700u);
  EXPECT_EQ(pieces[0].count, 324u);
  EXPECT_EQ(pieces[1].offset, 1024u);
  EXPECT_EQ(pieces[7].count, 512u);
  EXPECT_EQ(pieces[8].offset, 4608u);
  EXPECT_EQ(pieces[8].count, 188u);
}

TEST_F(File64ExTest, UnreadableSectorComesBackAsZerosWithTheDataAroundIt) {
  for (uint32_t count : {4096u, 8192u}) {  // through a buffer, and straight in
    OpenPattern(9000);
    faults.FailReadsCovering(1024 + 5);
    std::vector<char> expected = Slice(content, 0, count);
    std::fill(expected.begin() + 1024, expected.begin() + 1536, 0);
    EXPECT_EQ(ReadAt(0, count), expected) << count;
  }
}

TEST_F(File64ExTest, UnreadableSectorCostsTheVolumesSectorSize) {
  faults.ReportBytesPerSector(4096);
  OpenPattern(9000);
  EXPECT_EQ(file->m_nSectorSize, 4096u);
  faults.FailReadsCovering(5000);
  std::vector<char> expected = content;
  std::fill(expected.begin() + 4096, expected.begin() + 8192, 0);
  EXPECT_EQ(ReadAt(0, 9000), expected);
}

TEST_F(File64ExTest, FailingReadsEitherRecoverOrEndTheReadEarly) {
  OpenPattern(5000);
  faults.FailCallOf(PlatformCall::readAt, 1);
  EXPECT_EQ(ReadAt(0, 5000), content);  // the sectors read one by one all succeed

  OpenPattern(5000);
  faults.FailCallOf(PlatformCall::readAt, 1);
  faults.FailCallOf(PlatformCall::seek, 1);  // cannot position for the sector reads
  EXPECT_TRUE(ReadAt(0, 100).empty());
  EXPECT_EQ(file->GetPosition(), 0u);
}

TEST_F(File64ExTest, ReadsStopAtTheEndOfTheFile) {
  OpenPattern(1000, 64);
  EXPECT_TRUE(ReadAt(1000, 10).empty());
  EXPECT_TRUE(ReadAt(5000, 10).empty());
  EXPECT_EQ(ReadAt(990, 50), Slice(content, 990, 10));
  EXPECT_EQ(ReadAt(500, 10000), Slice(content, 500, 500));
  EXPECT_EQ(file->GetPosition(), 1000u);
}

TEST_F(File64ExTest, SeekMovesOnlyTheLogicalPosition) {
  OpenPattern(1000);
  EXPECT_EQ(file->Seek(-10, CFile64::end), 990u);
  EXPECT_EQ(file->Seek(5, CFile64::current), 995u);
  EXPECT_EQ(file->Seek(123, 7), 995u);
  EXPECT_EQ(file->Seek(-1, CFile64::begin), UINT64_MAX);
  EXPECT_EQ(file->Seek(2, CFile64::current), 1u);  // wraps
  EXPECT_EQ(file->GetPosition(), 1u);
}

TEST_F(File64ExTest, SetLengthCutsTheFileAndRewindsTheLogicalPosition) {
  OpenPattern(1000, 16, CFile64::modeReadWrite);
  ReadAt(500, 10);
  file->SetLength(100);
  EXPECT_EQ(file->GetPosition(), 0u);
  EXPECT_EQ(file->GetLength(), 100u);
  EXPECT_TRUE(ReadAt(500, 10).empty());  // nothing stale left in a buffer
}

TEST_F(File64ExTest, WritesAtTheLogicalPositionAndKeepsTheBuffersCurrent) {
  OpenPattern(0, 4096, CFile64::modeReadWrite);
  std::vector<char> bytes = Pattern(300);
  file->Write(bytes.data(), 300);
  EXPECT_EQ(file->GetPosition(), 300u);
  EXPECT_EQ(ReadAt(0, 300), bytes);
  file->Seek(10, CFile64::begin);
  file->Write("abc", 3);
  EXPECT_EQ(file->GetPosition(), 13u);
  EXPECT_EQ(ReadAt(9, 5), (std::vector<char>{bytes[9], 'a', 'b', 'c', bytes[13]}));
}

TEST_F(File64ExTest, FailedWriteAdvancesByWhatWasWrittenAndNamesTheFile) {
  OpenPattern(0, 4096, CFile64::kWriteFlags);
  file->Seek(40, CFile64::begin);
  faults.FailCallOf(PlatformCall::writeAt, 1, kErrorDiskFull);
  try {
    file->Write("abc", 3);
    FAIL() << "no exception";
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::diskFull);
    EXPECT_EQ(e.m_lOsError, kErrorDiskFull);
    EXPECT_EQ(e.m_strFileName, path);
  }
  EXPECT_EQ(file->GetPosition(), 40u);
}

TEST_F(File64ExTest, HandlesPositionsBeyondFourGigabytes) {
  OpenPattern(0, 4096, CFile64::kWriteFlags);
  constexpr uint64_t kFiveGiB = 5ull << 30;
  file->Seek(static_cast<int64_t>(kFiveGiB), CFile64::begin);
  file->Write("far", 3);
  EXPECT_EQ(file->GetLength(), kFiveGiB + 3);
  file->Close();
  CFile64Ex reader;
  ASSERT_TRUE(reader.Open(path.c_str(), CFile64::kReadFlags));
  char bytes[8] = {};
  reader.Seek(-5, CFile64::end);
  EXPECT_EQ(reader.Read(bytes, 8), 5u);
  EXPECT_EQ(std::string(bytes, 5), std::string("\0\0far", 5));
  EXPECT_EQ(reader.GetPosition(), kFiveGiB + 3);
}

TEST_F(File64ExTest, OpenLearnsTheSectorSizeAndStartsAfresh) {
  faults.ReportBytesPerSector(0);
  OpenPattern(100, 16);
  EXPECT_EQ(file->m_nSectorSize, 512u);
  ReadAt(50, 1);
  ASSERT_TRUE(file->Open(path.c_str(), CFile64::kReadFlags));  // reopened without a close
  EXPECT_EQ(file->GetPosition(), 0u);
  EXPECT_TRUE(file->m_pBufA->IsEmpty());
  EXPECT_TRUE(file->m_pBufB->IsEmpty());
}

TEST_F(File64ExTest, RefusesWhatItDoesNotSupportAndNamesItsClass) {
  OpenPattern(10);
  EXPECT_THROW(file->Duplicate(), CNotSupportedException);
  EXPECT_THROW(file->LockRange(0, 1), CNotSupportedException);
  EXPECT_THROW(file->UnlockRange(0, 1), CNotSupportedException);
  const CRuntimeClass* record = file->GetRuntimeClass();
  EXPECT_STREQ(record->m_lpszClassName, "CFile64Ex");
  EXPECT_STREQ(record->m_pBaseClass->m_lpszClassName, "CFile64");
  EXPECT_EQ(CFile64Ex(0).m_nBufferSize, 4096u);
}

}  // namespace
