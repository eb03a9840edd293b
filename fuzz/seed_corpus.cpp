// Writes the seed corpora of the fuzz targets into FOLDER/repair and FOLDER/display:
// the real tables of tests/data with their memo files, and small tables from the test
// builders that reach the rules a fixture does not (memo layouts, binary memo pointers,
// splitting, extra header bytes, damaged descriptors, stop requests).
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz_input.h"
#include "memo_builder.h"
#include "mendrel.h"
#include "table_builder.h"

namespace fs = std::filesystem;
using namespace tessaly_test;
using tessaly_fuzz::DisplayInput;
using tessaly_fuzz::RepairInput;

namespace {

// Seeds stay small so that every run of the target stays fast.
constexpr size_t kMostSeedFileBytes = 4096;

const uint32_t kDesktopOptions =
    MendrelPackOptions(MENDREL_OPT_RECOVER_DELETED | MENDREL_OPT_REPAIR_DATE | MENDREL_OPT_SPLIT_TABLE |
                           MENDREL_OPT_READ_SRC_MEMO | MENDREL_OPT_IGNORE_ALL_ZERO_MEMO,
                       MENDREL_VERSION_AUTO, 255);

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string ReadPrefix(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  bytes.resize(std::min(bytes.size(), kMostSeedFileBytes));
  return bytes;
}

class CorpusWriter {
 public:
  explicit CorpusWriter(fs::path folder) : folder_(std::move(folder)) { fs::create_directories(folder_); }
  void Add(const std::string& bytes) {
    std::ofstream(folder_ / ("seed-" + std::to_string(++count_)), std::ios::binary) << bytes;
  }
  int count() const { return count_; }

 private:
  fs::path folder_;
  int count_ = 0;
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The memo file beside a fixture table, found without regard to case.
fs::path MemoBeside(const fs::path& table, bool& fpt) {
  for (const auto& entry : fs::directory_iterator(table.parent_path())) {
    const std::string name = Lower(entry.path().filename().string());
    const std::string stem = Lower(table.stem().string());
    for (const char* extension : {".dbt", ".fpt"}) {
      if (name == stem + extension) {
        fpt = std::string(extension) == ".fpt";
        return entry.path();
      }
    }
  }
  return {};
}

// False when the folder of real tables cannot be read.
bool AddFixtureSeeds(CorpusWriter& corpus) {
  std::vector<fs::path> tables;
  std::error_code error;
  for (fs::recursive_directory_iterator it(TESSALY_FIXTURES_DIR, error), end; !error && it != end;
       it.increment(error))
    if (Lower(it->path().extension().string()) == ".dbf") tables.push_back(it->path());
  if (error || tables.empty()) {
    std::fprintf(stderr, "no tables found below %s\n", TESSALY_FIXTURES_DIR);
    return false;
  }
  std::sort(tables.begin(), tables.end());
  for (const fs::path& table : tables) {
    RepairInput input;
    input.optionWord = kDesktopOptions;
    input.table = ReadPrefix(table);
    const fs::path memo = MemoBeside(table, input.fptMemo);
    input.noMemoFile = memo.empty();
    if (!memo.empty()) input.memo = ReadPrefix(memo);
    corpus.Add(EncodeRepairInput(input));
    input.optionWord = MendrelPackOptions(MENDREL_OPT_SPLIT_TABLE | MENDREL_OPT_READ_SRC_MEMO,
                                          MENDREL_VERSION_VISUAL_FOXPRO, 8);
    corpus.Add(EncodeRepairInput(input));
  }
  return true;
}

RepairInput Seed(const TableBuilder& table, uint32_t optionWord = kDesktopOptions) {
  RepairInput input;
  input.optionWord = optionWord;
  input.table = Text(table.Build());
  input.noMemoFile = true;
  return input;
}

RepairInput SeedWithMemo(const TableBuilder& table, const MemoBuilder& memo, bool fpt) {
  RepairInput input = Seed(table);
  input.noMemoFile = false;
  input.fptMemo = fpt;
  input.memo = Text(memo.bytes());
  return input;
}

void AddBuilderSeeds(CorpusWriter& corpus) {
  const auto dbtTable = TableBuilder()
                            .Version(0x83)
                            .Field("NOTE", 'M', 10)
                            .Field("NAME", 'C', 4)
                            .Record(MemoPointerText(1) + "abcd")
                            .Record(MemoPointerText(2) + "efgh", '*')
                            .Record(MemoPointerText(9) + "ijkl");
  const auto dbt = MemoBuilder::Dbt().Dbase3(1, "first memo").Dbase4(2, std::string(700, 'x'));
  corpus.Add(EncodeRepairInput(SeedWithMemo(dbtTable, dbt, false)));

  const auto foxTable = TableBuilder()
                            .Version(0x30)
                            .Field("MEMO", 'M', 4)
                            .Field("PIC", 'G', 4)
                            .Field("AMOUNT", 'Y', 8)
                            .Record(LittleEndian32(8) + LittleEndian32(10) + std::string(8, '\x01'))
                            .Record(LittleEndian32(12) + LittleEndian32(0) + std::string(8, '\0'))
                            .Record("   7" + LittleEndian32(99) + std::string(8, '\xFF'));
  const auto fpt =
      MemoBuilder::Fpt().Fox(7, 1, "text").Fox(8, 1, "a memo").Fox(10, 0, "pic").Fox(12, 5, "odd");
  RepairInput fox = SeedWithMemo(foxTable, fpt, true);
  fox.upperCaseNames = true;
  corpus.Add(EncodeRepairInput(fox));

  TableBuilder wide;
  wide.Field("D", 'D', 8).Field("N", 'N', 6, 2).Field("L", 'L', 1).Field("F", 'F', 5).Field("C", 'C', 3);
  wide.Record("2005022912.5abX1e999abc").Record("2005AB07    -3t  1.0xyz", '*').Trailer({'a', 'b', 'c'});
  corpus.Add(
      EncodeRepairInput(Seed(wide, MendrelPackOptions(MENDREL_OPT_SPLIT_TABLE | MENDREL_OPT_REPAIR_DATE,
                                                      MENDREL_VERSION_DBASE4, 2))));
  RepairInput stopped = Seed(wide);
  stopped.stopFromQuery = 5;
  corpus.Add(EncodeRepairInput(stopped));

  const auto extra = TableBuilder()
                         .Version(0x30)
                         .Field("A", 'C', 2)
                         .Field("B", 'N', 3)
                         .ExtraHeaderBytes(Bytes(263, '\0'))
                         .Record("xy123")
                         .Record("zz  4");
  corpus.Add(EncodeRepairInput(Seed(extra)));

  Descriptor allNul = MakeDescriptor("", 'C', 10);
  Descriptor badName = MakeDescriptor(
      "\xFF"
      "AB",
      'Q', 5);
  const auto damaged = TableBuilder()
                           .HeaderLength(769)
                           .RecordLength(0)
                           .RawDescriptor(allNul)
                           .RawDescriptor(badName)
                           .Field("1AB", 'N', 5)
                           .Record(std::string(20, 'z'))
                           .NoEndMark();
  corpus.Add(EncodeRepairInput(Seed(damaged)));

  // A header of garbage lengths, a lost descriptor, a zeroed 512-byte FPT header, and a run
  // with the table as its own template.
  TableBuilder padded;
  padded.Field("NAME", 'C', 6).Field("ID", 'N', 3).ExtraHeaderBytes({'\0'});
  for (int i = 0; i < 9; ++i) padded.Record("Name " + std::to_string(i) + "  " + std::to_string(i));
  RepairInput garbage = Seed(padded);
  garbage.table.replace(4, 8, "\x9C\x41\x07\xE3\x5B\x00\x31\xB7");
  corpus.Add(EncodeRepairInput(garbage));
  RepairInput lost = Seed(padded);
  lost.table.replace(64, 32, std::string(32, '\xFF'));
  corpus.Add(EncodeRepairInput(lost));
  RepairInput ownTemplate = Seed(padded, kDesktopOptions | tessaly_fuzz::kOwnTemplateBit);
  corpus.Add(EncodeRepairInput(ownTemplate));
  MemoBuilder bigBlocks = MemoBuilder::Fpt(512).Fox(1, 1, "first").Fox(2, 0, "second");
  bigBlocks.Raw(0, std::string(512, '\0'));
  corpus.Add(EncodeRepairInput(SeedWithMemo(
      TableBuilder().Version(0xF5).Field("NOTE", 'M', 10).Record(MemoPointerText(1)).Record(MemoPointerText(2)),
      bigBlocks, true)));

  RepairInput shortSource;
  shortSource.table = std::string(31, '\x03');
  corpus.Add(EncodeRepairInput(shortSource));
}

DisplayInput FieldSeed(const std::string& name, char type, const std::string& value, uint32_t optionWord) {
  DisplayInput input;
  const Descriptor descriptor = MakeDescriptor(name, type, static_cast<uint8_t>(value.size()));
  input.descriptor.assign(descriptor.begin(), descriptor.end());
  input.optionWord = optionWord;
  input.fieldBytes = value;
  input.textSize = 255;
  return input;
}

void AddDisplaySeeds(CorpusWriter& corpus) {
  for (const DisplayInput& input :
       {FieldSeed("D", 'D', "20051332", MENDREL_OPT_REPAIR_DATE),
        FieldSeed("D", 'D', std::string("2005\0\0\0\0", 8), MENDREL_OPT_REPAIR_DATE),
        FieldSeed("N", 'N', std::string("3.5\0x", 5), 0), FieldSeed("N", 'N', "1e999 ", 0),
        FieldSeed("L", 'L', "Yxx", 0)})
    corpus.Add(EncodeDisplayInput(input));

  const std::string longMemo(300, 'm');
  const auto dbt = MemoBuilder::Dbt().Dbase3(1, longMemo).Dbase4(2, "short");
  for (uint16_t textSize : {255, 300, 14, 5, 0}) {
    DisplayInput input = FieldSeed("M", 'M', MemoPointerText(1), 0);
    input.blockSize = 512;
    input.textSize = textSize;
    input.memo = Text(dbt.bytes());
    corpus.Add(EncodeDisplayInput(input));
  }
  const auto fpt = MemoBuilder::Fpt().Fox(8, 0, "pic").Fox(9, 2, "obj").Fox(10, 1, longMemo);
  for (uint32_t block : {8u, 9u, 10u}) {
    DisplayInput input = FieldSeed("M", 'M', LittleEndian32(block), 0);
    input.blockSize = 64;
    input.fptPath = true;
    input.textSize = 100;
    input.memo = Text(fpt.bytes());
    corpus.Add(EncodeDisplayInput(input));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  CorpusWriter repair(fs::path(argv[1]) / "repair");
  if (!AddFixtureSeeds(repair)) return 1;
  AddBuilderSeeds(repair);
  CorpusWriter display(fs::path(argv[1]) / "display");
  AddDisplaySeeds(display);
  std::printf("%d repair seeds, %d display seeds\n", repair.count(), display.count());
  return 0;
}
