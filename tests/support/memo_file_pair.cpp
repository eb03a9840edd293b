#include "memo_file_pair.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly_test {

mendrel::CMemoFile& MemoFilePair::OpenSource(const MemoBuilder& builder, const std::string& name) {
  builder.WriteTo(dir.File(name));
  EXPECT_TRUE(source.Open(dir.File(name).c_str(), mendrel::CFile64::kReadFlags)) << name;
  source.ReadHeader();
  return source;
}

mendrel::CMemoFile& MemoFilePair::CreateOutput(const std::string& name) {
  outputPath = dir.File(name);
  EXPECT_TRUE(output.Open(outputPath.c_str(), mendrel::CFile64::kWriteFlags)) << name;
  return output;
}

std::string MemoFilePair::OutputBytes() {
  output.Close();
  const std::vector<char> bytes = ReadWholeFile(outputPath);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace tessaly_test
