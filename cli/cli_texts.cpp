#include "cli_texts.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace tessaly_cli {
namespace {

struct TextEntry {
  uint32_t id;
  const char* text;
};

constexpr TextEntry kTexts[] = {
    {kTextStartRepair, "Start repair process ..."},
    {kTextRepairAborted, "Repair process is aborted."},
    {kTextFileToRepair, "File to be repaired: '%s'; File size = %s bytes"},
    {kTextOutputFixedAs, "Output fixed file as: '%s'"},
    {kTextConsumedTime,
     "Consumed time: %u hour(s) %u minute(s) %u second(s) %u millisecond(s)."},
    {kTextRepairCompletes, "Repair process completes."},
    {kTextUserAborts, "User aborts the repair process"},
    {kTextRepairedSuccessfully, "File '%s' has been repaired successfully!"},
    {kTextNowOpen, "Now you can open the fixed file '%s'."},
    {kTextNowRunSelfExtracting, "Now you can run the fixed self-extracting file '%s'."},
    {kTextFailToRepair, "Fail to repair file '%s'!"},
    {kTextFilesRepaired, "%d file(s) repaired successfully"},
    {kTextSeparator, "--------------------------------------------------------"},
    {kTextOutputExists,
     "'%s' already exists and was left as it is (use --overwrite to replace it)"},
    {kTextNotice, "tessaly-cli: %s"},
    {kTextUsageError, "tessaly-cli: %s"},
    {kTextTryHelp, "Try 'tessaly-cli --help' for more information."},
    {kTextNoCommand, "no command given (repair or show)"},
    {kTextUnknownCommand, "unknown command '%s'"},
    {kTextUnknownOption, "unknown option '%s'"},
    {kTextMissingValue, "option '%s' needs a value"},
    {kTextBadNumber, "option '%s' takes a whole number from %lu to %lu, not '%s'"},
    {kTextBadVersion,
     "unknown version '%s' (auto, dbase3, dbase4, dbase5, foxbase, foxpro20, foxpro25, "
     "foxpro26, vfp)"},
    {kTextNoSource, "no table given"},
    {kTextOutputWithSeveral,
     "-o names one output; with several tables each is repaired beside itself"},
    {kTextExtraArgument, "unexpected argument '%s'"},
    {kTextHelp,
     "Usage:\n"
     "  tessaly-cli repair [options] SOURCE [-o OUTPUT]\n"
     "  tessaly-cli repair [options] SOURCE...\n"
     "  tessaly-cli show TABLE [--limit N] [--csv [--codepage N]]\n"
     "  tessaly-cli --help\n"
     "  tessaly-cli --version\n"
     "\n"
     "repair salvages a damaged DBF table and its DBT/FPT memo file into a new table and\n"
     "prints the repair log. Without -o, each SOURCE is repaired beside itself, with \"_fixed\"\n"
     "before its extension (sales.dbf -> sales_fixed.dbf). The source files are only read.\n"
     "\n"
     "Repair options (defaults in brackets):\n"
     "  -o, --output FILE        the repaired table to create (one SOURCE only)\n"
     "      --overwrite          replace an existing output file [refuse]\n"
     "  -j, --jobs N             repair N of the SOURCEs at once, 1 to 256; each log is\n"
     "                           printed whole once done, in the order of the SOURCEs\n"
     "                           [the number of cores]\n"
     "      --template FILE      take the field list, header and record length from FILE,\n"
     "                           a sound table of the same structure (last month's copy,\n"
     "                           a sister file), and find the records of SOURCE by it:\n"
     "                           for a header that is lost or garbage [none]\n"
     "      --recover-deleted    write records flagged deleted as live records [on]\n"
     "      --no-recover-deleted keep the deleted flag of such records\n"
     "      --repair-date        replace invalid parts of date fields [on]\n"
     "      --no-repair-date     leave invalid dates as they are\n"
     "      --split              split a table with more than --max-fields fields into\n"
     "                           several tables: OUTPUT, OUTPUT_1, OUTPUT_2 ... [on]\n"
     "      --no-split           write all fields into one table\n"
     "      --max-fields N       most fields per table when splitting, 1 to 32767 [255]\n"
     "      --read-memo          read the source DBT/FPT memo file [on]\n"
     "      --no-read-memo       do not read it: memo fields are cleared\n"
     "      --ignore-zero-memo   skip a source memo file whose bytes are all zero [on]\n"
     "      --no-ignore-zero-memo  read the source memo file even when it is all zeros\n"
     "      --version V          version of the repaired table [auto]:\n"
     "                           auto (Auto Detect), dbase3 (dBASE III), dbase4 (dBASE IV),\n"
     "                           dbase5 (dBASE 5), foxbase (FoxBase), foxpro20 (FoxPro 2.0),\n"
     "                           foxpro25 (FoxPro 2.5), foxpro26 (FoxPro 2.6),\n"
     "                           vfp (Visual FoxPro)\n"
     "\n"
     "A progress bar is drawn on standard error when it is a terminal; with several\n"
     "SOURCEs at once it shows them all together. Ctrl-C stops every running repair and\n"
     "starts no other: the tables written so far are closed with the records they hold.\n"
     "\n"
     "show prints the field list and the records of a (repaired) table, memo texts\n"
     "included; --limit N shows at most N records [all].\n"
     "  --csv                    print the records as CSV instead (RFC 4180, UTF-8, a header\n"
     "                           row of the field names, CR LF line ends), whole memo texts\n"
     "                           included, deleted records too\n"
     "  --codepage N             the code page of a table whose header names none [437]:\n"
     "                           437, 737, 775, 850, 852, 855, 857, 860, 861, 862, 863, 864,\n"
     "                           865, 866, 869 (DOS), 874, 932, 936, 949, 950, 1250 to 1258\n"
     "                           (Windows); a code page the header names is used instead\n"
     "\n"
     "Exit status: 0 when every table was repaired (or shown), 1 when any failed or was\n"
     "stopped or refused, 2 for a usage error.\n"},
    {kTextNotATable, "tessaly-cli: '%s' is not a valid table: %s"},
    {kTextCannotOpenTable, "tessaly-cli: cannot open '%s': %s"},
    {kTextShowTable, "Table: %s"},
    {kTextShowSummary, "Version: 0x%02X; Records: %lu; Header: %lu bytes; Record: %lu bytes"},
    {kTextShowMemo, "Memo file: %s (block size %lu)"},
    {kTextShowNoMemo, "Memo file: none found"},
    {kTextShowFields, "Fields:"},
    {kTextShowRecords, "Records:"},
    {kTextShowMoreRecords, "(%lu more records not shown)"},
    {kTextColumnNumber, "#"},
    {kTextColumnName, "Name"},
    {kTextColumnType, "Type"},
    {kTextColumnLength, "Length"},
    {kTextColumnDecimals, "Decimals"},
    {kTextColumnDeleted, "Del"},
    {kTextVersion, "tessaly-cli %u.%u.%u"},
    {kTextBadCodePage, "unknown code page '%s' (%s)"},
};

}  // namespace

const char* CliText(uint32_t id) {
  for (const TextEntry& entry : kTexts) {
    if (entry.id == id) return entry.text;
  }
  return "";
}

std::string FormatCliText(uint32_t id, ...) {
  va_list args;
  va_start(args, id);
  va_list probe;
  va_copy(probe, args);
  const int length = std::vsnprintf(nullptr, 0, CliText(id), probe);
  va_end(probe);
  std::string text;
  if (length > 0) {
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), CliText(id), args);
    text.assign(buffer.data(), static_cast<size_t>(length));
  }
  va_end(args);
  return text;
}

}  // namespace tessaly_cli
