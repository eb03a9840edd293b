#include "damaged_tables.h"

#include <cstdio>

#include "memo_builder.h"
#include "table_builder.h"

namespace tessaly_test {
namespace {

std::string Int32(int32_t value) { return LittleEndian32(static_cast<uint32_t>(value)); }

// printf-style, so that no chain of string additions is needed.
std::string Formatted(const char* pattern, int value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

}  // namespace

void WriteDamagedDbaseTable(const TempDir& dir) {
  MemoBuilder::Dbt()
      .Dbase3(1, "first memo")
      .Dbase3(2, "second memo")
      .Dbase4WithLength(3, 8, "")
      .WriteTo(dir.File("s.dbt"));
  TableBuilder()
      .Version(0x83)
      .Field("NAME", 'C', 8)
      .Field("BORN", 'D', 8)
      .Field("QTY", 'N', 6)
      .Field("OK", 'L', 1)
      .Field("NOTE", 'M', 10)
      .Record("alpha   19991231    42T" + MemoPointerText(1))
      .Record("beta    2005133212.5abX" + MemoPointerText(9999))
      .Record(std::string("gamma   2005\0\0\0\0abc\0\0\0t", 23) + MemoPointerText(2), '*')
      .Record("delta               -3Y" + MemoPointerText(3), '\0')
      .Record("epsilon 20040229       " + std::string("   garbage"))
      .WriteTo(dir.File("s.dbf"));
}

void WriteCutTable(const TempDir& dir) {
  TableBuilder table;
  table.Field("ID", 'N', 4).Field("NAME", 'C', 35).RecordCount(67).NoEndMark();
  for (int i = 1; i <= 40; ++i) table.Record(Formatted("%4dCustomer %-26d", i));
  Bytes bytes = table.Build();
  bytes.resize(bytes.size() - 20);
  WriteWholeFile(dir.File("s.dbf"), bytes);
}

void WriteTableWithoutItsMemoFile(const TempDir& dir) {
  TableBuilder()
      .Version(0x83)
      .Field("NAME", 'C', 5)
      .Field("NOTE", 'M', 10)
      .Record("one  " + MemoPointerText(1))
      .Record("two  " + MemoPointerText(2))
      .Record("three" + std::string(10, ' '))
      .WriteTo(dir.File("s.dbf"));
}

void WriteDamagedFoxProTable(const TempDir& dir) {
  MemoBuilder::Fpt(64).Fox(8, 1, "hello fox").FoxWithLength(9, 1, 0, "").WriteTo(dir.File("s.fpt"));
  TableBuilder()
      .Version(0x30)
      .Field("NAME", 'C', 6)
      .Field("NOTE", 'M', 4)
      .Field("QTY", 'I', 4)
      .Record("alpha " + Int32(8) + Int32(42))
      .Record("beta  " + Int32(9) + Int32(-7))
      .Record("gamma " + Int32(100000) + Int32(0))
      .WriteTo(dir.File("s.dbf"));
}

void WriteSevenFieldTable(const TempDir& dir) {
  TableBuilder table;
  for (int i = 1; i <= 7; ++i) table.Field(Formatted("F%d", i), i == 5 ? 'N' : 'C', 2);
  table.Record("a1a2a3a4 1a6a7").Record("b1b2b3b4x1b6b7").Record("c1c2c3c4 3c6c7").Record("d1d2d3d4 4d6d7");
  table.WriteTo(dir.File("s.dbf"));
}

void WriteTableWithBytesAfterItsEndMark(const TempDir& dir) {
  TableBuilder table;
  table.Field("VAL", 'N', 5);
  for (int i = 1; i <= 10; ++i) table.Record(Formatted("%5d", i));
  const std::string trailer = "  123xy";
  table.Trailer(Bytes(trailer.begin(), trailer.end())).WriteTo(dir.File("s.dbf"));
}

}  // namespace tessaly_test
