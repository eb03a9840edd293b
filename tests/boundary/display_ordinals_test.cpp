// Ordinals 2 to 4 of the shipped library: field and memo rendering, the all-zero test.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "memo_builder.h"
#include "native_file.h"
#include "mendrel.h"
#include "temp_dir.h"

using namespace tessaly_test;

namespace {

std::array<unsigned char, 32> Descriptor(char type, uint8_t length) {
  std::array<unsigned char, 32> descriptor{};
  descriptor[11] = static_cast<unsigned char>(type);
  descriptor[16] = length;
  return descriptor;
}

std::string Displayed(char type, std::string bytes, uint32_t optionWord = 0) {
  const auto descriptor = Descriptor(type, static_cast<uint8_t>(bytes.size()));
  MendrelDisplayFieldValue()(bytes.data(), descriptor.data(), optionWord);
  return bytes;
}

// A memo file on disk, opened for reading; the handle is closed on destruction.
class MemoOnDisk {
 public:
  MemoOnDisk(const MemoBuilder& builder, const std::string& path)
      : path_((builder.WriteTo(path), path)), file_(path, NativeFile::Mode::read) {}

  intptr_t fd() const { return file_.handle(); }
  bool IsOpen() const { return file_.IsValid(); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  NativeFile file_;
};

constexpr size_t kGuard = 16;
constexpr char kGuardByte = '#';

// The text ordinal 3 gives for a field, in a buffer of textSize bytes; guard bytes on both
// sides must survive.
std::string DisplayedMemo(const std::string& field, char type, intptr_t handle, uint32_t blockSize,
                          const char* memoPath, uint32_t textSize) {
  std::vector<char> buffer(kGuard + textSize + kGuard, kGuardByte);
  const auto descriptor = Descriptor(type, static_cast<uint8_t>(field.size()));
  MendrelDisplayMemoValue()(field.data(), descriptor.data(), handle, blockSize, memoPath, buffer.data() + kGuard,
                            textSize);
  for (size_t i = 0; i < kGuard; ++i) {
    EXPECT_EQ(buffer[i], kGuardByte) << "written before the buffer";
    EXPECT_EQ(buffer[kGuard + textSize + i], kGuardByte) << "written after the buffer";
  }
  return std::string(buffer.begin() + kGuard, buffer.begin() + static_cast<std::ptrdiff_t>(kGuard + textSize));
}

std::string Zeros(size_t count) { return std::string(count, '\0'); }

std::string Text(size_t length) {
  std::string text(length, '\0');
  for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>('A' + i % 26);
  return text;
}

class DisplayMemoValue : public ::testing::Test {
 protected:
  TempDir dir;
};

}  // namespace

TEST(DisplayFieldValue, ShowsDatesAsTheRepairWritesThem) {
  EXPECT_EQ(Displayed('D', "20051332", MENDREL_OPT_REPAIR_DATE), "20050101");
  EXPECT_EQ(Displayed('D', "20051332"), "20051332");
}

TEST(DisplayFieldValue, ShowsLogicalsAndNumbersMended) {
  EXPECT_EQ(Displayed('L', "X"), "?");
  EXPECT_EQ(Displayed('N', std::string("3.5\0x", 5)), "  3.5");
  EXPECT_EQ(Displayed('M', "       abc"), "       abc");
  EXPECT_EQ(Displayed('B', std::string("\xFF\0\0\0\0\0\0\x7F", 8)), std::string("\xFF\0\0\0\0\0\0\x7F", 8));
}

TEST(DisplayFieldValue, WithoutADescriptorOrLengthLeavesTheBuffer) {
  std::string bytes = "X";
  MendrelDisplayFieldValue()(bytes.data(), nullptr, 0);
  const auto empty = Descriptor('L', 0);
  MendrelDisplayFieldValue()(bytes.data(), empty.data(), 0);
  EXPECT_EQ(bytes, "X");
  const auto logical = Descriptor('L', 1);
  MendrelDisplayFieldValue()(nullptr, logical.data(), 0);  // no buffer: nothing to do
}

TEST_F(DisplayMemoValue, CutsALongMemoAndEndsItWithTheMarker) {
  const std::string memo = Text(300);
  MemoOnDisk file(MemoBuilder::Dbt().Dbase3(5, memo), dir.File("m.dbt"));
  EXPECT_EQ(DisplayedMemo("         5", 'M', file.fd(), 512, file.path().c_str(), 255),
            memo.substr(0, 241) + "(Truncated...)");
}

TEST_F(DisplayMemoValue, AMemoThatFitsExactlyHasNoMarkerAndNoNul) {
  const std::string memo = Text(255);
  MemoOnDisk file(MemoBuilder::Dbt().Dbase4(1, memo), dir.File("m.dbt"));
  EXPECT_EQ(DisplayedMemo("         1", 'M', file.fd(), 512, file.path().c_str(), 255), memo);
  EXPECT_EQ(DisplayedMemo("         1", 'M', file.fd(), 512, file.path().c_str(), 260), memo + Zeros(5));
}

TEST_F(DisplayMemoValue, BuffersShorterThanTheMarkerHoldItsEnd) {
  MemoOnDisk file(MemoBuilder::Dbt().Dbase3(1, Text(40)), dir.File("m.dbt"));
  EXPECT_EQ(DisplayedMemo("1", 'M', file.fd(), 512, file.path().c_str(), 14), "(Truncated...)");
  EXPECT_EQ(DisplayedMemo("1", 'M', file.fd(), 512, file.path().c_str(), 15), "A(Truncated...)");
  EXPECT_EQ(DisplayedMemo("1", 'M', file.fd(), 512, file.path().c_str(), 5), "d...)");
  EXPECT_EQ(DisplayedMemo("1", 'M', file.fd(), 512, file.path().c_str(), 0), "");
}

TEST_F(DisplayMemoValue, NamesPicturesAndObjects) {
  MemoOnDisk file(MemoBuilder::Fpt(64).Fox(8, 0, "\x89PNG").Fox(9, 2, "ole").Fox(10, 1, std::string("a\0b", 3)),
                  dir.File("m.FPT"));
  const char* path = file.path().c_str();
  EXPECT_EQ(DisplayedMemo("         8", 'G', file.fd(), 64, path, 20), "Picture" + Zeros(13));
  EXPECT_EQ(DisplayedMemo("         9", 'G', file.fd(), 64, path, 20), "Object" + Zeros(14));
  EXPECT_EQ(DisplayedMemo("         8", 'P', file.fd(), 64, path, 4), "Pict");
  EXPECT_EQ(DisplayedMemo("        10", 'M', file.fd(), 64, path, 5), std::string("a\0b\0\0", 5));
}

TEST_F(DisplayMemoValue, TheExtensionDecidesTheMemoKindWhateverItsCase) {
  MemoOnDisk file(MemoBuilder::Fpt(64).Fox(8, 1, "fox"), dir.File("m.fpt"));
  EXPECT_EQ(DisplayedMemo("8", 'M', file.fd(), 64, file.path().c_str(), 4), "fox" + Zeros(1));
  // Read as a dBASE file, the same block is a dBASE III memo up to the first 0x1A.
  EXPECT_EQ(DisplayedMemo("8", 'M', file.fd(), 64, nullptr, 11), std::string("\0\0\0\x01\0\0\0\x03" "fox", 11));
}

TEST_F(DisplayMemoValue, ReadsBinaryPointersAndLeavesTheHandleOpen) {
  MemoOnDisk file(MemoBuilder::Fpt(64).Fox(8, 1, "vfp"), dir.File("m.fpt"));
  EXPECT_EQ(DisplayedMemo(LittleEndian32(8), 'M', file.fd(), 64, file.path().c_str(), 4), "vfp" + Zeros(1));
  EXPECT_TRUE(file.IsOpen());
}

TEST_F(DisplayMemoValue, GivesAnEmptyTextWhenThereIsNothingToShow) {
  MemoOnDisk file(MemoBuilder::Dbt().Dbase3(1, "memo"), dir.File("m.dbt"));
  const char* path = file.path().c_str();
  EXPECT_EQ(DisplayedMemo("         1", 'B', file.fd(), 512, path, 8), Zeros(8));
  EXPECT_EQ(DisplayedMemo("         1", 'C', file.fd(), 512, path, 8), Zeros(8));
  EXPECT_EQ(DisplayedMemo("         1", 'M', -1, 512, path, 8), Zeros(8));
  EXPECT_EQ(DisplayedMemo("         1", 'M', 0, 512, path, 8), Zeros(8));
  EXPECT_EQ(DisplayedMemo("         1", 'M', file.fd(), 0, path, 8), Zeros(8));
  EXPECT_EQ(DisplayedMemo("          ", 'M', file.fd(), 512, path, 8), Zeros(8));
  EXPECT_EQ(DisplayedMemo("         0", 'M', file.fd(), 512, path, 8), Zeros(8));
  EXPECT_EQ(DisplayedMemo("      9999", 'M', file.fd(), 512, path, 8), Zeros(8));
}

TEST_F(DisplayMemoValue, ToleratesMissingBuffers) {
  MemoOnDisk file(MemoBuilder::Dbt().Dbase3(1, "memo"), dir.File("m.dbt"));
  const auto descriptor = Descriptor('M', 1);
  std::string text(4, kGuardByte);
  MendrelDisplayMemoValue()(nullptr, descriptor.data(), file.fd(), 512, file.path().c_str(), text.data(), 4);
  EXPECT_EQ(text, Zeros(4));
  MendrelDisplayMemoValue()("1", descriptor.data(), file.fd(), 512, file.path().c_str(), nullptr, 4);
}

TEST(IsAllZeroFileOrdinal, AnswersOneOrZero) {
  TempDir dir;
  EXPECT_EQ(MendrelIsAllZeroFile()(dir.File("missing").c_str()), 0);
  WriteWholeFile(dir.File("empty"), {});
  EXPECT_EQ(MendrelIsAllZeroFile()(dir.File("empty").c_str()), 1);
  WriteWholeFile(dir.File("zeros"), std::vector<char>(1000, '\0'));
  EXPECT_EQ(MendrelIsAllZeroFile()(dir.File("zeros").c_str()), 1);
  WriteWholeFile(dir.File("data"), {'\0', 'x'});
  EXPECT_EQ(MendrelIsAllZeroFile()(dir.File("data").c_str()), 0);
  EXPECT_EQ(MendrelIsAllZeroFile()(nullptr), 0);
}
