#pragma once

#include <cstdint>
#include <string>

// A dBASE III table of about `bytes` bytes for the benchmarks: NAME C30, QTY N10,
// PRICE N12, SOLD D8, PAID L1, NOTE C40, every record alike. damagedPerMille of the
// records carry a date, a number and a logical that a repair mends. Returns the number
// of records written.
uint64_t WriteBenchTable(const std::string& path, uint64_t bytes, uint32_t damagedPerMille);

// CPU seconds (user and system) this process has used so far.
double ProcessCpuSeconds();

// Drops the file's pages from the page cache, so that the next reads come from the disk
// as for a file nobody has touched.
void DropFromPageCache(const std::string& path);
