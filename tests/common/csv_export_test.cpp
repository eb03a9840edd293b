// Tables exported as CSV through the engine's read interface, with their code pages.
#include <gtest/gtest.h>

#include "code_page.h"
#include "csv_export.h"
#include "memo_builder.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_common;
using namespace tessaly_test;

namespace {

constexpr uint8_t kRussianDos = 0x26;  // language driver of code page 866

// A table with the given language-driver byte: NAME C8, QTY N5, SEEN D8, COUNT I4 and a
// memo NOTE M10 whose text has a quote, a comma and a line break.
std::string WriteTable(const TempDir& dir, uint8_t languageDriver, const std::string& name) {
  MemoBuilder::Dbt().Dbase3(1, "He said \"no\",\r\nthen left.").WriteTo(dir.File("t.dbt"));
  Bytes table = TableBuilder()
                    .Version(0x83)
                    .Field("NAME", 'C', 8)
                    .Field("QTY", 'N', 5)
                    .Field("SEEN", 'D', 8)
                    .Field("COUNT", 'I', 4)
                    .Field("NOTE", 'M', 10)
                    .Record(name + " 12.5" + "20051332" + std::string("\x2A\0\0\0", 4) + MemoPointerText(1))
                    .Record(std::string("  pad   ") + "     " + "        " + std::string(4, '\0') + std::string(10, ' '),
                            '*')
                    .Build();
  table[29] = static_cast<char>(languageDriver);
  WriteWholeFile(dir.File("t.dbf"), table);
  return dir.File("t.dbf");
}

std::string Csv(const std::string& path, uint32_t userCodePage) {
  EngineTable table(path);
  CsvExportOptions options;
  options.userCodePage = userCodePage;
  std::string csv;
  EXPECT_TRUE(ExportCsv(table, options, [&csv](std::string_view piece) {
    csv += piece;
    return true;
  }));
  return csv;
}

// The first value of the first record.
std::string FirstValue(const std::string& csv) {
  const size_t start = csv.find("\r\n") + 2;
  return csv.substr(start, csv.find(',', start) - start);
}

}  // namespace

TEST(CsvExport, WritesAHeaderRowAndEveryRecordWithTheTextOfItsCodePage) {
  TempDir dir;
  // "Иван" in code page 866, padded to 8.
  const std::string path = WriteTable(dir, kRussianDos, "\x88\xA2\xA0\xAD    ");
  EXPECT_EQ(Csv(path, 1252),
            "NAME,QTY,SEEN,COUNT,NOTE\r\n"
            "Иван,12.5,20050101,42,\"He said \"\"no\"\",\r\nthen left.\"\r\n"
            "  pad,,,0,\r\n");
}

TEST(CsvExport, ConvertsATableThatNamesNoCodePageFromTheUsersChoice) {
  TempDir dir;
  // "Иван" in code page 1251; no language driver.
  const std::string path = WriteTable(dir, 0, "\xC8\xE2\xE0\xED    ");
  EXPECT_EQ(FirstValue(Csv(path, 1251)), "Иван");
  EXPECT_EQ(FirstValue(Csv(path, 866)), "╚трэ");
}

TEST(CodePage, LanguageDriversNameTheirCodePagesAndUnknownOnesNone) {
  EXPECT_EQ(CodePageOfLanguageDriver(0x03), 1252u);
  EXPECT_EQ(CodePageOfLanguageDriver(0x65), 866u);
  EXPECT_EQ(CodePageOfLanguageDriver(0xC9), 1251u);
  EXPECT_EQ(CodePageOfLanguageDriver(0x00), 0u);
  EXPECT_EQ(CodePageOfLanguageDriver(0x69), 0u);  // Mazovia: no conversion for it
  EXPECT_EQ(TableCodePage(0xC9, 437), 1251u);
  EXPECT_EQ(TableCodePage(0x00, 850), 850u);
  for (uint32_t codePage : ChoosableCodePages()) EXPECT_TRUE(CodePageConverter(codePage).IsUsable()) << codePage;
  EXPECT_FALSE(IsChoosableCodePage(65001));
}

#ifndef _WIN32
TEST(CodePage, ABytesItsCodePageLeavesUndefinedBecomesTheReplacementCharacter) {
  EXPECT_EQ(CodePageConverter(1251).ToUtf8("a\x98z"), "a\xEF\xBF\xBDz");
}
#endif
