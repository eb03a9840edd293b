#include "fpt_block_size.h"

#include <gtest/gtest.h>

#include "memo_builder.h"
#include "temp_dir.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {

uint32_t Guess(const MemoBuilder& memo, const std::vector<uint32_t>& pointers) {
  TempDir dir;
  memo.WriteTo(dir.File("t.fpt"));
  CFile64Ex file;
  EXPECT_TRUE(file.Open(dir.File("t.fpt").c_str(), CFile64::kReadFlags));
  FptBlockSizeGuess guess(file);
  for (uint32_t pointer : pointers) guess.Add(pointer);
  return guess.BlockSize();
}

// Memos of one block each at 1024-byte blocks 1 to 4, text after the block header.
MemoBuilder KilobyteBlocks() {
  MemoBuilder memo = MemoBuilder::Fpt(1024);
  for (uint32_t block = 1; block <= 4; ++block) memo.Fox(block, 1, std::string(1000, 'x'));
  return memo;
}

}  // namespace

TEST(FptBlockSize, TheSizeUnderWhichMostPointersLandOnABlockHeaderWins) {
  EXPECT_EQ(Guess(KilobyteBlocks(), {1, 2, 3, 4}), 1024u);
  EXPECT_EQ(Guess(KilobyteBlocks(), {1, 3, 4}), 1024u);  // 512 finds two of them, 1024 all three
}

TEST(FptBlockSize, NoHitsOrATieKeepTheDefault) {
  EXPECT_EQ(Guess(KilobyteBlocks(), {}), 64u);
  EXPECT_EQ(Guess(KilobyteBlocks(), {9000}), 64u);
  EXPECT_EQ(Guess(KilobyteBlocks(), {2}), 64u);  // 1024 and 2048 both find it
}
