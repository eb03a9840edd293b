// A whole repair through ordinal 1: the input becomes a source table and its memo file
// in a folder of their own, with the options and the stop answers it carries. Beyond
// the sanitizers, a run must leave the source files as they were, and every output
// table and memo file it finished without an error must be consistent in itself. The
// source is read through the read interface (ordinals 5 to 10) first, as a viewer would.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_input.h"
#include "mendrel.h"

namespace fs = std::filesystem;
using tessaly_fuzz::RepairInput;

namespace {

constexpr uint32_t kOutputMemoBlockSize = 512;

struct RunState {
  uint32_t stopFromQuery = 0;
  uint32_t queries = 0;
  bool sawError = false;
  bool sawEvent = false;
  bool reportMayFollow = false;  // the last event was "Add ... records." or a report line
  bool reportStarted = false;
};

bool StartsWith(const void* text, const char* prefix) {
  return std::strncmp(static_cast<const char*>(text), prefix, std::strlen(prefix)) == 0;
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_repair: %s\n", what);
  std::abort();
}

int32_t Callback(int32_t code, void* data, void* userData) {
  auto& state = *static_cast<RunState*>(userData);
  if (!state.sawEvent)
    Check(code == EVT_PROGRESS && *static_cast<uint8_t*>(data) == 0, "a run starts with progress 0");
  state.sawEvent = true;
  const bool reportMayFollow = state.reportMayFollow;
  state.reportMayFollow = false;
  switch (code) {
    case EVT_PROGRESS:
      Check(*static_cast<uint8_t*>(data) <= 100, "a percentage is at most 100");
      return 0;
    case EVT_QUERY_STOP:
      ++state.queries;
      return state.stopFromQuery != 0 && state.queries >= state.stopFromQuery ? 1 : 0;
    case EVT_ERROR:
      state.sawError = true;
      [[fallthrough]];
    case EVT_SOURCE_FILE:
    case EVT_NOTICE:
      Check(data != nullptr && std::strlen(static_cast<const char*>(data)) < 65536,
            "event texts are short C strings");
      return 0;
    case EVT_MESSAGE:
      Check(data != nullptr && std::strlen(static_cast<const char*>(data)) < 65536,
            "event texts are short C strings");
      state.reportMayFollow = StartsWith(data, "Add ");
      state.reportStarted = false;
      return 0;
    case EVT_MEND_REPORT:
      Check(data != nullptr && std::strlen(static_cast<const char*>(data)) < 65536, "report lines are short C strings");
      Check(reportMayFollow, "a report line follows the record count or another report line");
      Check(state.reportStarted || StartsWith(data, "Record area: start="), "a report begins with its record area");
      state.reportStarted = true;
      state.reportMayFollow = true;
      return 0;
    default:
      Check(false, "unknown event code");
      return 0;
  }
}

const fs::path& WorkFolder() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "tessaly-fuzz-XXXXXX").string();
    Check(mkdtemp(pattern.data()) != nullptr, "mkdtemp");
    std::atexit([] { fs::remove_all(WorkFolder()); });
    return fs::path(pattern);
  }();
  return folder;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Little(const std::string& bytes, size_t offset, int width) {
  uint32_t value = 0;
  for (int i = 0; i < width; ++i) value |= uint32_t{static_cast<uint8_t>(bytes[offset + i])} << (8 * i);
  return value;
}

uint32_t Big32(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
  return value;
}

// Header area, records and end mark; the header's two lengths are 16-bit, so they are
// compared modulo 2^16.
void CheckFinishedTable(const std::string& table) {
  Check(table.size() >= 32 + 1 + 1, "a finished table holds a header, a terminator and the end mark");
  const uint64_t count = Little(table, 4, 4);
  const uint64_t headerLength = Little(table, 8, 2);
  const uint64_t recordLength = Little(table, 10, 2);
  Check((table.size() - 1 - headerLength - count * recordLength) % 65536 == 0,
        "the size of a finished table matches its header");
  Check(table.back() == 0x1A, "a finished table ends with the end mark");
}

void CheckFinishedMemo(const fs::path& path, bool bigEndian) {
  const std::string memo = ReadFile(path);
  Check(memo.size() >= kOutputMemoBlockSize, "a finished memo file holds its header");
  const uint64_t nextBlock = bigEndian ? Big32(memo, 0) : Little(memo, 0, 4);
  Check(nextBlock * kOutputMemoBlockSize == memo.size(), "a memo file's next free block is its end");
}

void CheckOutputs(const fs::path& folder, const std::string& stem, const std::string& extension) {
  for (uint32_t part = 0;; ++part) {
    const std::string name = part == 0 ? stem : stem + "_" + std::to_string(part);
    const fs::path table = folder / (name + extension);
    if (!fs::exists(table)) {
      Check(part > 0, "a run with a result of 1 writes its first output");
      return;
    }
    CheckFinishedTable(ReadFile(table));
    const bool upper = extension == ".DBF";
    for (const auto& [memoExtension, bigEndian] :
         {std::pair{upper ? ".DBT" : ".dbt", false}, std::pair{upper ? ".FPT" : ".fpt", true}}) {
      if (fs::exists(folder / (name + memoExtension)))
        CheckFinishedMemo(folder / (name + memoExtension), bigEndian);
    }
  }
}

// Every field of the first records, and of the records just past the end, rendered into
// buffers down to smaller than the truncation mark.
void ReadThroughInterface(const std::string& path) {
  MendrelTable* table = MendrelOpenTable()(path.c_str(), nullptr, nullptr, 0);
  if (table == nullptr) return;
  MendrelTableInfo info{};
  info.size = sizeof info;
  Check(MendrelGetTableInfo()(table, &info) == 1, "an open table gives its header facts");
  std::string record(info.recordLength, '\0');
  char text[64];
  constexpr uint64_t kRecordsRead = 16;
  for (uint64_t k = 0; k < info.wholeRecords + 2 && k < kRecordsRead; ++k) {
    const int64_t read = MendrelReadRecord()(table, k, record.data(), info.recordLength);
    Check(read >= 0 && read <= info.recordLength, "a record read is at most a record long");
    for (uint32_t field = 0; field < info.fieldCount; ++field) {
      for (uint32_t size : {0u, 13u, 64u})
        Check(MendrelRenderField()(table, k, field, MENDREL_OPT_REPAIR_DATE, text, size) >= -1, "a rendered length");
    }
  }
  MendrelCloseTable()(table);
}

void EmptyFolder(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const RepairInput input = tessaly_fuzz::DecodeRepairInput(data, size);
  const fs::path& folder = WorkFolder();
  const std::string tableExtension = input.upperCaseNames ? ".DBF" : ".dbf";
  std::string memoExtension = input.fptMemo ? ".fpt" : ".dbt";
  if (input.upperCaseNames) memoExtension = input.fptMemo ? ".FPT" : ".DBT";
  const fs::path source = folder / ("t" + tableExtension);
  const fs::path sourceMemo = folder / ("t" + memoExtension);
  WriteFile(source, input.table);
  if (!input.noMemoFile) WriteFile(sourceMemo, input.memo);

  ReadThroughInterface(source.string());

  RunState state;
  state.stopFromQuery = input.stopFromQuery;
  const std::string sourcePath = source.string();
  const std::string outputPath = (folder / ("o" + tableExtension)).string();
  RepairArgsEx block{};
  RepairArgs& args = block.args;
  args.sourcePath = reinterpret_cast<uintptr_t>(sourcePath.c_str());
  args.optionWord = input.optionWord;
  args.outputPath = reinterpret_cast<uintptr_t>(outputPath.c_str());
  args.callback = reinterpret_cast<uintptr_t>(&Callback);
  args.userData = reinterpret_cast<uintptr_t>(&state);
  int32_t result = 0;
  if ((input.optionWord & tessaly_fuzz::kOwnTemplateBit) != 0) {
    block.size = sizeof block;
    block.templatePath = args.sourcePath;
    MendrelMaskArgsEx(&block);
    result = MendrelRepairEx()(&block);
  } else {
    MendrelMaskArgs(&args);
    result = MendrelRepair()(&args);
  }

  Check(result == 0 || result == 1, "the result is 0 or 1");
  Check(ReadFile(source) == input.table, "the source table is never written");
  if (!input.noMemoFile) Check(ReadFile(sourceMemo) == input.memo, "the source memo file is never written");
  if (result == 1 && !state.sawError) CheckOutputs(folder, "o", tableExtension);
  if (result == 0) Check(!fs::exists(outputPath), "a run with a result of 0 creates no output");
  EmptyFolder(folder);
  return 0;
}
