// The read interface (ordinals 5 to 10), through the shipped library's ordinal table.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "damaged_tables.h"
#include "event_recorder.h"
#include "fixture_tables.h"
#include "memo_builder.h"
#include "table_builder.h"
#include "temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace tessaly_test;
namespace fs = std::filesystem;

namespace {

struct TableCloser {
  void operator()(MendrelTable* table) const { MendrelCloseTable()(table); }
};
using Table = std::unique_ptr<MendrelTable, TableCloser>;

struct Opened {
  Table table;
  int32_t failure = 0;
  std::string reason;
};

Opened Open(const std::string& path) {
  Opened opened;
  char reason[256] = "untouched";
  opened.table.reset(MendrelOpenTable()(path.c_str(), &opened.failure, reason, sizeof reason));
  opened.reason = reason;
  return opened;
}

MendrelTableInfo Info(MendrelTable* table) {
  MendrelTableInfo info{};
  info.size = sizeof info;
  EXPECT_EQ(MendrelGetTableInfo()(table, &info), 1);
  return info;
}

MendrelField Field(MendrelTable* table, uint32_t index) {
  MendrelField field{};
  field.size = sizeof field;
  EXPECT_EQ(MendrelGetField()(table, index, &field), 1);
  return field;
}

// The whole display text of a field, however long.
std::string Render(MendrelTable* table, uint64_t record, uint32_t field, uint32_t options = MENDREL_OPT_REPAIR_DATE) {
  std::string text(16, '\0');
  int64_t length = MendrelRenderField()(table, record, field, options, text.data(), static_cast<uint32_t>(text.size()));
  if (length > static_cast<int64_t>(text.size())) {
    text.resize(static_cast<size_t>(length));
    length = MendrelRenderField()(table, record, field, options, text.data(), static_cast<uint32_t>(text.size()));
  }
  text.resize(length < 0 ? 0 : static_cast<size_t>(length));
  return text;
}

std::string Hex(const char* bytes, size_t size) {
  std::string hex;
  char digits[3];
  for (size_t i = 0; i < size; ++i) {
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
    hex += digits;
  }
  return hex;
}

std::string Hex(const std::string& bytes) { return Hex(bytes.data(), bytes.size()); }

// What the read interface gives for a table, in the form compare_table_read.py reads.
void WriteWhatIsRead(MendrelTable* table, const std::string& path) {
  const MendrelTableInfo info = Info(table);
  std::ofstream out(path, std::ios::binary);
  char version[8];
  std::snprintf(version, sizeof version, "0x%02X", info.version);
  out << "{\"version\": \"" << version << "\", \"records_read\": " << info.readableRecords << ", \"header\": {"
      << "\"record_count\": " << info.announcedRecords << ", \"header_len\": " << info.headerLength
      << ", \"record_len\": " << info.recordLength << "}, \"fields\": [";
  std::vector<MendrelField> fields;
  for (uint32_t i = 0; i < info.fieldCount; ++i) {
    fields.push_back(Field(table, i));
    const std::string type(1, fields.back().type);
    out << (i ? ", " : "") << "[\"" << Hex(fields.back().name) << "\", \"" << (type == "\"" || type == "\\" ? "\\" + type : type)
        << "\", " << fields.back().length << ", " << int{fields.back().decimals} << "]";
  }
  out << "]}\n";
  std::vector<char> record(info.recordLength);
  for (uint64_t k = 0; k < info.readableRecords; ++k) {
    EXPECT_EQ(MendrelReadRecord()(table, k, record.data(), info.recordLength), info.recordLength);
    out << "{\"deleted\": " << (record[0] == '*' ? "true" : "false");
    if (record[0] != ' ' && record[0] != '*') out << ", \"flag\": \"" << Hex(record.data(), 1) << "\"";
    out << ", \"values\": [";
    for (size_t f = 0; f < fields.size(); ++f)
      out << (f ? ", " : "") << "\"" << Hex(record.data() + fields[f].offset, fields[f].length) << "\"";
    out << "], \"memos\": {";
    bool first = true;
    for (uint32_t f = 0; f < fields.size(); ++f) {
      if (!fields[f].isMemo) continue;
      out << (first ? "" : ", ") << "\"" << f << "\": \"" << Hex(Render(table, k, f)) << "\"";
      first = false;
    }
    out << "}}\n";
  }
}

const fs::path kFixtures = TESSALY_FIXTURES_DIR;
const fs::path kDump = fs::path(TESSALY_TOOLS_DIR) / "dbf_dump.py";
const fs::path kCompare = fs::path(__FILE__).parent_path().parent_path() / "support" / "compare_table_read.py";

class ReadFixture : public testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(ReadFixture, GivesWhatAnIndependentReaderFinds) {
#ifdef _WIN32
  GTEST_SKIP() << "the independent reader runs on the build machine only";
#else
  const fs::path source = kFixtures / GetParam();
  const Opened opened = Open(source.string());
  if (!opened.table) {
    // The repair takes such tables; showing them needs a sound header.
    EXPECT_EQ(opened.failure, MENDREL_OPEN_NOT_A_TABLE) << opened.reason;
    GTEST_SKIP() << opened.reason;
  }
  TempDir dir;
  WriteWhatIsRead(opened.table.get(), dir.File("read.json"));
  const auto [differs, differences] = RunCommand("DBF_DUMP=" + Quoted(kDump) + " /usr/bin/python3 " + Quoted(kCompare) +
                                                 " " + Quoted(source) + " " + Quoted(dir.File("read.json")));
  EXPECT_EQ(differs, 0) << differences;
#endif
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ReadFixture, testing::ValuesIn(FixtureTables(kFixtures)), ParameterName);

TEST(TableReader, ReadsTheLastRecordOfAFiveGibibyteTableWithoutReadingTheRest) {
  TempDir dir;
  const std::string path = dir.File("big.dbf");
  constexpr uint64_t kSize = 5ull << 30;
  std::error_code error;
  if (fs::space(dir.path(), error).available < kSize + (1ull << 30)) GTEST_SKIP() << "no room for a 5 GiB file";
  TableBuilder table;
  table.Field("TEXT", 'C', 100);
  const uint64_t records = (kSize - 65) / 101;
  table.RecordCount(static_cast<uint32_t>(records)).NoEndMark();
  const Bytes header = table.Build();
  WriteWholeFile(path, header);
  fs::resize_file(path, kSize, error);
  if (error) GTEST_SKIP() << "the file system refuses a 5 GiB file: " << error.message();
#ifndef _WIN32
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || uint64_t(status.st_blocks) * 512 > (64u << 20))
    GTEST_SKIP() << "the file system does not keep sparse files";
#endif
  const std::string last = "last record " + std::string(88, 'z');
  {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(65 + (records - 1) * 101));
    file << ' ' << last;
  }
  const Opened opened = Open(path);
  ASSERT_TRUE(opened.table) << opened.reason;
  const MendrelTableInfo info = Info(opened.table.get());
  EXPECT_EQ(info.fileSize, kSize);
  EXPECT_EQ(info.readableRecords, records);
  std::vector<char> record(101);
  EXPECT_EQ(MendrelReadRecord()(opened.table.get(), records - 1, record.data(), 101), 101);
  EXPECT_EQ(std::string(record.begin() + 1, record.end()), last);
  EXPECT_EQ(Render(opened.table.get(), records - 1, 0), last);
  EXPECT_EQ(MendrelReadRecord()(opened.table.get(), records, record.data(), 101), (kSize - 65) % 101);  // a part
  EXPECT_EQ(MendrelReadRecord()(opened.table.get(), records + 1, record.data(), 101), 0);
}

TEST(TableReader, RefusesWhatIsNotATableAndSaysWhy) {
  TempDir dir;
  const Opened missing = Open(dir.File("missing.dbf"));
  EXPECT_FALSE(missing.table);
  EXPECT_EQ(missing.failure, MENDREL_OPEN_UNREADABLE);
  EXPECT_EQ(missing.reason, "No such file or directory");

  auto refusal = [&](const Bytes& bytes) {
    WriteWholeFile(dir.File("t.dbf"), bytes);
    const Opened opened = Open(dir.File("t.dbf"));
    EXPECT_FALSE(opened.table);
    EXPECT_EQ(opened.failure, MENDREL_OPEN_NOT_A_TABLE);
    return opened.reason;
  };
  EXPECT_EQ(refusal(Bytes(10, 'x')), "the file is shorter than its header");
  EXPECT_EQ(refusal(TableBuilder().Field("A", 'C', 3).HeaderLength(4000).Build()), "the file is shorter than its header");
  Bytes unended = TableBuilder().Field("A", 'C', 3).Record("abc").Build();
  unended[64] = 'X';  // the terminator
  EXPECT_EQ(refusal(unended), "the field list has no end mark");
  EXPECT_EQ(refusal(TableBuilder().Field("A", 'C', 3).RecordLength(9).Build()),
            "its record length 9 does not match its fields (4)");

  char small[8];
  int32_t failure = 0;
  EXPECT_EQ(MendrelOpenTable()(dir.File("missing.dbf").c_str(), &failure, small, sizeof small), nullptr);
  EXPECT_EQ(std::string(small), "No such");  // cut to the room given
}

TEST(TableReader, ReadsRecordsOnDemandAndRendersThemAsTheDisplayOrdinalsDo) {
  TempDir dir;
  const std::string longMemo(300, 'm');
  MemoBuilder::Fpt(64).Fox(8, 1, longMemo).Fox(14, 0, "\x89PNG").WriteTo(dir.File("T.FPT"));
  Bytes bytes = TableBuilder()
                    .Version(0xF5)
                    .Field("BORN", 'D', 8)
                    .Field("QTY", 'N', 6)
                    .Field("NOTE", 'M', 10)
                    .Record("2005133212.5ab" + MemoPointerText(8))
                    .Record("20040229    -3" + MemoPointerText(14), '*')
                    .Record("19991231     7" + MemoPointerText(0))
                    .NoEndMark()
                    .Build();
  bytes.resize(bytes.size() - 10);  // the last record loses its memo pointer
  WriteWholeFile(dir.File("t.dbf"), bytes);
  const Opened opened = Open(dir.File("t.dbf"));
  ASSERT_TRUE(opened.table) << opened.reason;
  MendrelTable* table = opened.table.get();
  const MendrelTableInfo info = Info(table);
  EXPECT_EQ(std::string(info.memoPath), dir.File("T.FPT"));
  EXPECT_EQ(info.memoBlockSize, 64u);
  EXPECT_EQ(info.wholeRecords, 2u);
  const MendrelField note = Field(table, 2);
  EXPECT_EQ(std::string(note.name), "NOTE");
  EXPECT_EQ(note.offset, 15u);
  EXPECT_EQ(note.isMemo, 1);

  EXPECT_EQ(Render(table, 0, 0), "20050101");
  EXPECT_EQ(Render(table, 0, 0, 0), "20051332");
  EXPECT_EQ(Render(table, 0, 1), "  12.5");
  EXPECT_EQ(Render(table, 0, 2), longMemo);
  EXPECT_EQ(Render(table, 1, 2), "Picture");
  char text[40];
  EXPECT_EQ(MendrelRenderField()(table, 0, 2, 0, text, sizeof text), 300);
  EXPECT_EQ(std::string(text, sizeof text), std::string(26, 'm') + "(Truncated...)");

  std::vector<char> record(info.recordLength);
  EXPECT_EQ(MendrelReadRecord()(table, 1, record.data(), info.recordLength), 25);
  EXPECT_EQ(record[0], '*');
  EXPECT_EQ(MendrelReadRecord()(table, 2, record.data(), info.recordLength), 15);  // the short last record
  EXPECT_EQ(Render(table, 2, 1), "     7");
  EXPECT_EQ(Render(table, 2, 2), "");
  EXPECT_EQ(MendrelReadRecord()(table, 3, record.data(), info.recordLength), 0);
  EXPECT_EQ(MendrelRenderField()(table, 3, 0, 0, text, sizeof text), -1);
  EXPECT_EQ(MendrelRenderField()(table, 0, 3, 0, text, sizeof text), -1);
  EXPECT_EQ(MendrelReadRecord()(table, 0, record.data(), info.recordLength - 1), -1);
}
