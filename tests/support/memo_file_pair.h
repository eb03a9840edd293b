#pragma once

#include <string>

#include "memo_builder.h"
#include "memo_file.h"
#include "temp_dir.h"

namespace tessaly_test {

// A source memo file written from a builder and an output memo file, in a fresh folder.
class MemoFilePair {
 protected:
  // Writes the built file under name and opens it as a source memo file.
  mendrel::CMemoFile& OpenSource(const MemoBuilder& builder, const std::string& name);
  mendrel::CMemoFile& CreateOutput(const std::string& name);
  // Closes the output and returns its bytes.
  std::string OutputBytes();

  TempDir dir;
  mendrel::CMemoFile source;
  mendrel::CMemoFile output;
  std::string outputPath;
};

}  // namespace tessaly_test
