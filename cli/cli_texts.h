#pragma once

#include <cstdint>
#include <string>

namespace tessaly_cli {

// Ids of the command-line program's texts: the repair log shared with the desktop
// application, and the program's own messages. Looked up by id for translation.
enum CliTextId : uint32_t {
  kTextStartRepair = 1,
  kTextRepairAborted,
  kTextFileToRepair,   // source, grouped size
  kTextOutputFixedAs,  // output
  kTextConsumedTime,   // hours, minutes, seconds, milliseconds
  kTextRepairCompletes,
  kTextUserAborts,
  kTextRepairedSuccessfully,  // source
  kTextNowOpen,               // output
  kTextNowRunSelfExtracting,  // output
  kTextFailToRepair,          // source
  kTextFilesRepaired,         // count
  kTextSeparator,
  kTextOutputExists,       // output
  kTextNotice,             // notice text
  kTextUsageError,         // message
  kTextTryHelp,
  kTextNoCommand,
  kTextUnknownCommand,     // command
  kTextUnknownOption,      // option
  kTextMissingValue,       // option
  kTextBadNumber,          // option, value, lowest, highest
  kTextBadVersion,         // value
  kTextNoSource,
  kTextOutputWithSeveral,
  kTextExtraArgument,      // argument
  kTextHelp,
  kTextNotATable,          // path, reason
  kTextCannotOpenTable,       // path, reason
  kTextShowTable,             // path
  kTextShowSummary,           // version, records, header length, record length
  kTextShowMemo,              // memo path, block size
  kTextShowNoMemo,
  kTextShowFields,
  kTextShowRecords,
  kTextShowMoreRecords,       // records not shown
  kTextColumnNumber,
  kTextColumnName,
  kTextColumnType,
  kTextColumnLength,
  kTextColumnDecimals,
  kTextColumnDeleted,
  kTextVersion,               // major, minor, patch
  kTextBadCodePage,           // value, the code pages to choose from
};

// The text for an id; empty for an id the table does not hold.
const char* CliText(uint32_t id);

// printf-style formatting of a text by id.
std::string FormatCliText(uint32_t id, ...);

}  // namespace tessaly_cli
