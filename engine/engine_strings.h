#pragma once

#include <cstdint>
#include <string>

namespace mendrel {

// Ids of the engine's string table. Texts are looked up by id so that they can be
// translated without touching the code.
enum EngineTextId : uint32_t {
  kTextGeneratedFieldName = 1,  // "Field%lu"
  kTextDefaultYear = 2,
  kTextDefaultMonth = 3,
  kTextDefaultDay = 4,
  kTextTruncated = 5,
  kTextPicture = 6,
  kTextObject = 7,
  kTextWriteHeader = 8,
  kTextAddRecords = 9,
  kTextAnalyzing = 10,
  kTextErrorOpenSource = 11,
  kTextErrorGeneral = 12,
  kTextErrorUnknown = 13,
  kTextErrorCreateFile = 14,
  kTextSplitFile = 15,
  kTextShareViolation = 16,
  // The mend report (EVT_MEND_REPORT). Pairs: the singular text, then the plural one.
  kTextReportRecordArea = 17,
  kTextReportRecordsFound = 18,       // 19
  kTextReportDeletedLive = 20,        // 21
  kTextReportOddFlagsLive = 22,       // 23
  kTextReportBytesAfter = 24,         // 25
  kTextReportDatesMended = 26,        // 27
  kTextReportDateParts = 28,
  kTextReportNumbersMended = 29,      // 30
  kTextReportLogicalsMended = 31,     // 32
  kTextReportMemosCopied = 33,        // 34
  kTextReportPointersCleared = 35,    // 36
  kTextReasonMemoFileMissing = 37,
  kTextReasonMemoFileNotRead = 38,
  kTextReasonMemoFileAllZero = 39,
  kTextReasonBlockBeyondFile = 40,
  kTextReasonMemoUnreadable = 41,
  kTextReasonNotABlock = 42,
  // Why the read interface cannot show a table.
  kTextTableTooShort = 43,
  kTextNoTerminator = 44,
  kTextRecordLengthMismatch = 45,
  kTextReportNameMended = 46,
  kTextReportTypeMended = 47,
  // Why a template table cannot lend its head.
  kTextTemplateNotSound = 48,    // template path
  kTextErrorOpenTemplate = 49,   // "%1": why the template cannot be opened
  kTextUnnamedFile = 61446,
  kTextOutOfMemory = 61447,
  kTextNotSupported = 61448,
  kTextFileExceptionBase = 61856,  // + CFileException cause
};

// The text for an id; an empty text for an id the table does not hold.
const char* EngineText(uint32_t id);

// printf-style formatting of an engine text with one unsigned long ("%lu") or one string ("%s").
std::string FormatText(uint32_t id, unsigned long value);
std::string FormatText(uint32_t id, const char* text);
std::string FormatText(uint32_t id, const char* text, unsigned long value);
// printf-style formatting with whatever arguments the text's placeholders take.
std::string FormatTextWith(uint32_t id, ...);
// The singular text (id) when count is 1, else the plural one (id + 1).
inline uint32_t CountedText(uint32_t id, unsigned long long count) { return count == 1 ? id : id + 1; }

// Replaces the "%1" slot of a text with a description.
std::string InsertDescription(const char* text, const std::string& description);

}  // namespace mendrel
