#pragma once

#include <string>

#include "temp_dir.h"

namespace tessaly_test {

// Tables with known damage, written as s.dbf (and its memo file) into a folder. The
// comment of each says what a repair with the default options mends.

// dBASE III with a DBT: NAME C8, BORN D8, QTY N6, OK L1, NOTE M10; five records.
// BORN: 2 dates mended (month 13, and a year followed by NULs); QTY: 2 numbers mended;
// OK: 1 logical mended; NOTE: 2 memos copied, pointers cleared: 1 beyond the memo file,
// 1 unreadable block, 1 not a block number. One deleted record, one record with flag 0.
void WriteDamagedDbaseTable(const TempDir& dir);

// The header announces 67 records; 39 whole ones follow, then 20 bytes of a 40th
// record and no end mark. Fields: ID N4, NAME C35.
void WriteCutTable(const TempDir& dir);

// A dBASE III table whose memo file is gone: NOTE M10 points to blocks 1 and 2.
void WriteTableWithoutItsMemoFile(const TempDir& dir);

// Visual FoxPro (0x30) with an FPT of 64-byte blocks: NAME C6, NOTE M4 binary, QTY I4.
// NOTE: 1 memo copied, 1 pointer to a block of length 0 (unreadable), 1 beyond the file.
void WriteDamagedFoxProTable(const TempDir& dir);

// Seven C fields F1..F7 of 2 bytes, 4 records; with at most 3 fields per table it splits
// into three parts. F5 of record 2 holds NUL bytes.
void WriteSevenFieldTable(const TempDir& dir);

// Ten records of one N5 field, the end mark, then 7 more bytes.
void WriteTableWithBytesAfterItsEndMark(const TempDir& dir);

}  // namespace tessaly_test
