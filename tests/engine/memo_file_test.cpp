#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fault_platform.h"
#include "memo_file_pair.h"
#include "system_error_codes.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {

struct Memo {
  uint32_t length;
  std::string data;
  int32_t format;
  uint32_t type;
};

Memo Read(CMemoFile& file, uint32_t block) {
  std::vector<char> data{'x'};
  int32_t format = -1;
  uint32_t type = 99;
  const uint32_t length = file.ReadMemo(block, data, format, type);
  return {length, std::string(data.begin(), data.end()), format, type};
}

class MemoFileTest : public ::testing::Test, protected MemoFilePair {
 protected:
  CMemoFile& OpenSource(const MemoBuilder& builder, const std::string& name = "source.dbt") {
    return MemoFilePair::OpenSource(builder, name);
  }
};

// The same, with every platform call recorded (and failed where a test says so).
class MemoFileCallsTest : public MemoFileTest {
 protected:
  size_t CallsOf(PlatformCall kind) const { return platform.CallsOf(kind).size(); }

  FaultPlatform platform;
  ScopedPlatform installed{platform};
};

std::vector<char> Text(const std::string& text) { return std::vector<char>(text.begin(), text.end()); }

}  // namespace

TEST(CMemoFile, TellsTheKindByTheExtensionAlone) {
  const std::pair<const char*, bool> cases[] = {
      {"/t/a.fpt", false}, {"/t/a.FPT", false}, {"/t/a.Fpt", false}, {"/t/a.dbt", true},
      {"/t/a", true},      {"/t/old.fpt/a", true}, {"/t/a.fpt.bak", true}, {"", true},
  };
  for (const auto& [path, dbt] : cases) {
    CMemoFile file;
    file.SetFilePath(path);
    EXPECT_EQ(file.IsDbt(), dbt) << path;
  }
}

TEST(CMemoFile, AnswersWithTheRecordOfItsBaseClass) {
  CMemoFile file;
  EXPECT_EQ(file.GetRuntimeClass(), &CFile64Ex::classCFile64Ex);
  EXPECT_EQ(file.m_nNextBlock, 1u);
  EXPECT_EQ(file.m_nBlockSize, 512u);
}

TEST_F(MemoFileTest, BlockSizeComesFromTheHeaderUnlessZero) {
  EXPECT_EQ(OpenSource(MemoBuilder::Dbt(0)).m_nBlockSize, 512u);
  source.Close();
  EXPECT_EQ(OpenSource(MemoBuilder::Dbt(1024)).m_nBlockSize, 1024u);
  source.Close();
  EXPECT_EQ(OpenSource(MemoBuilder::Fpt(0x40), "a.fpt").m_nBlockSize, 64u);
  source.Close();
  EXPECT_EQ(OpenSource(MemoBuilder::Fpt(0), "b.fpt").m_nBlockSize, 64u);
  source.Close();
  EXPECT_EQ(OpenSource(MemoBuilder::Fpt(32), "c.fpt").m_nBlockSize, 32u);
}

TEST_F(MemoFileTest, AShortHeaderGivesTheDefaultBlockSize) {
  EXPECT_EQ(OpenSource(MemoBuilder::Dbt(1024).TruncateTo(21)).m_nBlockSize, 512u);
  source.Close();
  EXPECT_EQ(OpenSource(MemoBuilder::Fpt(512).TruncateTo(7), "a.fpt").m_nBlockSize, 64u);
}

TEST_F(MemoFileTest, ReadsDbase3MemoUpToTheFirstTerminator) {
  CMemoFile& file = OpenSource(MemoBuilder::Dbt().Dbase3(12, "hello\x1A" "more").Dbase3(14, ""));
  const Memo memo = Read(file, 12);
  EXPECT_EQ(memo.length, 5u);
  EXPECT_EQ(memo.data, "hello");
  EXPECT_EQ(memo.format, kMemoFormatDbase3);
  EXPECT_EQ(memo.type, kMemoTypeText);
  EXPECT_EQ(Read(file, 14).length, 0u);
}

TEST_F(MemoFileTest, FindsTheTerminatorAcrossScanPieces) {
  for (uint32_t length : {4095u, 4096u, 4097u, 12287u, 12288u, 1048576u + 3u}) {
    std::string data(length, 'd');
    data[length / 2] = '\0';
    CMemoFile& file = OpenSource(MemoBuilder::Dbt().Dbase3(1, data), "scan" + std::to_string(length) + ".dbt");
    const Memo memo = Read(file, 1);
    EXPECT_EQ(memo.length, length);
    EXPECT_EQ(memo.data, data);
    source.Close();
  }
}

TEST_F(MemoFileTest, Dbase3MemoWithoutTerminatorRunsToTheEndOfTheFile) {
  const std::string data(3 * 1048576 + 5, 'z');
  CMemoFile& file = OpenSource(MemoBuilder::Dbt().Raw(512, data));
  EXPECT_EQ(Read(file, 1).data, data);
  EXPECT_EQ(Read(file, 100000).length, 0u);  // beyond the end
}

TEST_F(MemoFileTest, ReadsDbase4MemoByItsLengthField) {
  CMemoFile& file = OpenSource(MemoBuilder::Dbt()
                                   .Dbase4(1, std::string("ab\x1A\0cd", 6))
                                   .Dbase4WithLength(2, 8, "")
                                   .Dbase4WithLength(3, 3, "xyz"));
  const Memo memo = Read(file, 1);
  EXPECT_EQ(memo.data, std::string("ab\x1A\0cd", 6));
  EXPECT_EQ(memo.format, kMemoFormatDbase4);
  EXPECT_EQ(memo.type, kMemoTypeText);
  EXPECT_EQ(Read(file, 2).length, 0u);
  EXPECT_EQ(Read(file, 3).length, 0u);
}

TEST_F(MemoFileTest, ALengthBeyondTheEndIsCutToTheRemainingBytes) {
  CMemoFile& file = OpenSource(MemoBuilder::Dbt().Dbase4WithLength(1, 0xFFFFFFF0u, "tail"));
  EXPECT_EQ(Read(file, 1).data, "tail");
  source.Close();
  CMemoFile& fpt = OpenSource(MemoBuilder::Fpt().FoxWithLength(8, 1, 0xFFFFFFFFu, "end"), "a.fpt");
  EXPECT_EQ(Read(fpt, 8).data, "end");
}

TEST_F(MemoFileTest, ReadsFoxProBlocksWithTheirType) {
  CMemoFile& file = OpenSource(
      MemoBuilder::Fpt(64).Fox(8, 0, "pic").Fox(9, 5, "five").FoxWithLength(10, 1, 0, "").Raw(64 * 11, std::string(2, '\0')),
      "a.fpt");
  const Memo picture = Read(file, 8);
  EXPECT_EQ(picture.data, "pic");
  EXPECT_EQ(picture.format, kMemoFormatFoxPro);
  EXPECT_EQ(picture.type, kMemoTypePicture);
  EXPECT_EQ(Read(file, 9).type, 5u);
  EXPECT_EQ(Read(file, 10).length, 0u);
  const Memo shortHeader = Read(file, 11);
  EXPECT_EQ(shortHeader.length, 0u);
  EXPECT_EQ(shortHeader.type, kMemoTypeText);
}

TEST_F(MemoFileTest, BlockZeroIsNoMemo) {
  const Memo memo = Read(OpenSource(MemoBuilder::Dbt().Raw(0, "text")), 0);
  EXPECT_EQ(memo.length, 0u);
  EXPECT_EQ(memo.data, "");
  EXPECT_EQ(memo.format, kMemoFormatDbase4);
  EXPECT_EQ(memo.type, kMemoTypeText);
}

TEST_F(MemoFileTest, Dbase3MemoOf510BytesFillsOneBlockAnd511BytesTwo) {
  CMemoFile& file = CreateOutput("out.dbt");
  file.WriteHeader();
  const std::string fits(510, 'a'), spills(511, 'b');
  EXPECT_EQ(file.AppendMemo(std::vector<char>(fits.begin(), fits.end()), kMemoFormatDbase3, 1), 1u);
  EXPECT_EQ(file.AppendMemo(std::vector<char>(spills.begin(), spills.end()), kMemoFormatDbase3, 1), 2u);
  EXPECT_EQ(file.m_nNextBlock, 4u);
  file.WriteHeader();
  EXPECT_EQ(OutputBytes(), DbtHeader(4) + Dbase3Memo(fits) + Dbase3Memo(spills));
}

TEST_F(MemoFileTest, DbtKeepsTheDbase4LayoutForFoxProAndDbase4Memos) {
  CMemoFile& file = CreateOutput("out.dbt");
  file.WriteHeader();
  EXPECT_EQ(file.AppendMemo({'x'}, kMemoFormatDbase4, 1), 1u);
  EXPECT_EQ(file.AppendMemo(std::vector<char>(503, 'y'), kMemoFormatFoxPro, 0), 2u);
  file.WriteHeader();
  EXPECT_EQ(OutputBytes(), DbtHeader(4) + Dbase4Memo("x") + Dbase4Memo(std::string(503, 'y')));
}

TEST_F(MemoFileTest, FptKeepsTheMemoType) {
  CMemoFile& file = CreateOutput("out.FPT");
  file.WriteHeader();
  EXPECT_EQ(file.AppendMemo({'p'}, kMemoFormatFoxPro, 0), 1u);
  EXPECT_EQ(file.AppendMemo({'t'}, kMemoFormatDbase3, 1), 2u);
  file.WriteHeader();
  EXPECT_EQ(OutputBytes(), FptHeader(3) + FoxMemo(0, "p") + FoxMemo(1, "t"));
}

TEST_F(MemoFileTest, AppendingBeyondTheEndFillsTheGapWithSpaces) {
  CMemoFile& file = CreateOutput("out.dbt");
  file.m_nNextBlock = 2;
  EXPECT_EQ(file.AppendMemo({'q'}, kMemoFormatDbase3, 1), 2u);
  EXPECT_EQ(OutputBytes(), std::string(1024, ' ') + Dbase3Memo("q"));
}

TEST_F(MemoFileTest, OpenStartsAgainAtBlockOne) {
  CMemoFile& file = CreateOutput("out.dbt");
  file.m_nNextBlock = 9;
  file.Close();
  ASSERT_TRUE(file.Open(outputPath.c_str(), CFile64::kWriteFlags));
  EXPECT_EQ(file.m_nNextBlock, 1u);
}

TEST_F(MemoFileTest, LargeMemoCrossesInPiecesByteForByte) {
  std::string data(2 * kMemoPieceSize + 77, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>('a' + i % 23);
  CMemoFile& in = OpenSource(MemoBuilder::Fpt().Fox(8, 1, data), "big.fpt");
  const MemoBlock memo = in.LocateMemo(8);
  ASSERT_EQ(memo.length, data.size());
  CMemoFile& out = CreateOutput("big_out.fpt");
  out.WriteHeader();
  size_t served = 0;
  out.AppendMemo(memo.length, memo.format, memo.type, [&](char* buffer, uint32_t count) {
    EXPECT_LE(count, kMemoPieceSize);
    data.copy(buffer, count, served);
    served += count;
  });
  EXPECT_EQ(OutputBytes(), FptHeader(1) + FoxMemo(1, data));
}

TEST_F(MemoFileCallsTest, ManySmallMemosReachThePlatformInFewWritesWithTheSameBytes) {
  CMemoFile& file = CreateOutput("out.fpt");
  file.WriteHeader();
  std::string expected = FptHeader(1001);
  for (int i = 0; i < 1000; ++i) {
    const std::string data = "memo " + std::to_string(i);
    EXPECT_EQ(file.AppendMemo(Text(data), kMemoFormatFoxPro, 1), static_cast<uint32_t>(i + 1));
    expected += FoxMemo(1, data);
  }
  file.WriteHeader();
  EXPECT_EQ(OutputBytes(), expected);
  // Two headers, and the 512000 bytes of memos in whole runs.
  EXPECT_EQ(CallsOf(PlatformCall::writeAt), 2u + (512000u + MemoStaging::kRunSize - 1) / MemoStaging::kRunSize);
  EXPECT_EQ(CallsOf(PlatformCall::getSize), 1u);
}

TEST_F(MemoFileCallsTest, ASourceOpenedDenyingWritesIsMeasuredOnce) {
  CMemoFile& file = OpenSource(MemoBuilder::Fpt().Fox(8, 1, "one").Fox(9, 1, "two").FoxWithLength(10, 1, 99, "cut"),
                               "a.fpt");
  EXPECT_EQ(Read(file, 8).data, "one");
  EXPECT_EQ(Read(file, 9).data, "two");
  EXPECT_EQ(Read(file, 10).data, "cut");
  EXPECT_EQ(CallsOf(PlatformCall::getSize), 1u);
}

TEST_F(MemoFileCallsTest, AFileOthersMayWriteIsMeasuredAtEveryMemo) {
  MemoBuilder::Fpt().Fox(8, 1, "one").Fox(9, 1, "two").WriteTo(dir.File("a.fpt"));
  CMemoFile file;
  ASSERT_TRUE(file.Open(dir.File("a.fpt").c_str(), CFile64::typeBinary | CFile64::shareDenyNone | CFile64::modeRead));
  file.ReadHeader();
  EXPECT_EQ(Read(file, 8).data, "one");
  EXPECT_EQ(Read(file, 9).data, "two");
  EXPECT_EQ(CallsOf(PlatformCall::getSize), 2u);
}

TEST_F(MemoFileCallsTest, AFailedWriteOfHeldBytesSurfacesAsTheFileExceptionOfThatWrite) {
  CMemoFile& file = CreateOutput("out.dbt");
  file.WriteHeader();
  platform.FailCallOf(PlatformCall::writeAt, 2, kErrorDiskFull);
  file.AppendMemo(Text("held"), kMemoFormatDbase3, 1);
  try {
    file.WriteHeader();
    FAIL() << "the held memo was written";
  } catch (const CFileException& failure) {
    EXPECT_EQ(failure.m_cause, CFileException::diskFull);
    EXPECT_EQ(failure.m_strFileName, outputPath);
  }
  file.Close();  // the failed bytes are not tried again
  EXPECT_EQ(CallsOf(PlatformCall::writeAt), 2u);
}

TEST_F(MemoFileCallsTest, AFailedWriteAtCloseStillClosesTheFile) {
  CMemoFile& file = CreateOutput("out.dbt");
  platform.FailCallOf(PlatformCall::writeAt, 1, kErrorHardIO);
  file.AppendMemo(Text("held"), kMemoFormatDbase3, 1);
  EXPECT_THROW(file.Close(), CFileException);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(platform.OpenHandleCount(), 0u);
}

TEST_F(MemoFileTest, HeldBytesAreWrittenBeforeAReadAndOnDestruction) {
  CMemoFile file;
  ASSERT_TRUE(file.Open(dir.File("both.dbt").c_str(), CFile64::typeBinary | CFile64::modeCreate |
                                                          CFile64::shareExclusive | CFile64::modeReadWrite));
  file.WriteHeader();
  file.AppendMemo(Text("first"), kMemoFormatDbase4, 1);
  ASSERT_EQ(file.Seek(512, CFile64::begin), 512u);
  unsigned char marker[4] = {};
  EXPECT_EQ(file.Read(marker, 4), 4u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(marker), 4), LittleEndian32(0x0008FFFF));
  {
    CMemoFile later;
    ASSERT_TRUE(later.Open(dir.File("later.dbt").c_str(), CFile64::kWriteFlags));
    later.AppendMemo(Text("kept"), kMemoFormatDbase3, 1);
  }
  EXPECT_EQ(ReadWholeFile(dir.File("later.dbt")).size(), 1024u);
}

TEST_F(MemoFileTest, GapsAfterHeldBytesAreFilledWithSpaces) {
  CMemoFile& file = CreateOutput("out.dbt");
  file.WriteHeader();
  file.AppendMemo(Text("a"), kMemoFormatDbase3, 1);
  file.m_nNextBlock = 4;
  EXPECT_EQ(file.GetLength(), 1024u);
  EXPECT_EQ(file.AppendMemo(Text("b"), kMemoFormatDbase3, 1), 4u);
  file.WriteHeader();
  EXPECT_EQ(OutputBytes(), DbtHeader(5) + Dbase3Memo("a") + std::string(1024, ' ') + Dbase3Memo("b"));
}
