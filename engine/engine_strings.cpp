#include "engine_strings.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace mendrel {
namespace {

struct TextEntry {
  uint32_t id;
  const char* text;
};

constexpr TextEntry kTexts[] = {
    {kTextGeneratedFieldName, "Field%lu"},
    {kTextDefaultYear, "1900"},
    {kTextDefaultMonth, "01"},
    {kTextDefaultDay, "01"},
    {kTextTruncated, "(Truncated...)"},
    {kTextPicture, "Picture"},
    {kTextObject, "Object"},
    {kTextWriteHeader, "Write DBF header ..."},
    {kTextAddRecords, "Add %lu records."},
    {kTextAnalyzing, "Analyzing the source file ..."},
    {kTextErrorOpenSource, "Error 1: Cannot open the file to be repaired. %1"},
    {kTextErrorGeneral, "Error 2: General error. %1"},
    {kTextErrorUnknown, "Error 3: Unknown error."},
    {kTextErrorCreateFile, "Error 4: Cannot create file. %1"},
    {kTextSplitFile,
     "Create a split DBF file %s as the field count in the table reaches the maximum allowable "
     "value %lu."},
    {kTextShareViolation,
     "Share violation when opening the source file '%s'. Please close any other applications "
     "accessing the file and try again."},
    {kTextReportRecordArea,
     "Record area: start=%llu stride=%lu offset=%lu announced=%lu written=%lu after=%llu"},
    {kTextReportRecordsFound, "%lu record announced, %lu found"},
    {kTextReportRecordsFound + 1, "%lu records announced, %lu found"},
    {kTextReportDeletedLive, "%lu deleted record written as live"},
    {kTextReportDeletedLive + 1, "%lu deleted records written as live"},
    {kTextReportOddFlagsLive, "%lu record with an unknown deletion flag written as live"},
    {kTextReportOddFlagsLive + 1, "%lu records with an unknown deletion flag written as live"},
    {kTextReportBytesAfter, "%llu byte after the last whole record"},
    {kTextReportBytesAfter + 1, "%llu bytes after the last whole record"},
    {kTextReportNameMended, "%s %s: field name mended (it was \"%s\")"},
    {kTextReportTypeMended, "%s %s: type mended (it was 0x%02X)"},
    {kTextReportDatesMended, "%s %s: %lu date mended"},
    {kTextReportDatesMended + 1, "%s %s: %lu dates mended"},
    {kTextReportDateParts, "%s %s: date parts replaced: year %lu, month %lu, day %lu"},
    {kTextReportNumbersMended, "%s %s: %lu number mended"},
    {kTextReportNumbersMended + 1, "%s %s: %lu numbers mended"},
    {kTextReportLogicalsMended, "%s %s: %lu logical value mended"},
    {kTextReportLogicalsMended + 1, "%s %s: %lu logical values mended"},
    {kTextReportMemosCopied, "%s %s: %lu memo copied"},
    {kTextReportMemosCopied + 1, "%s %s: %lu memos copied"},
    {kTextReportPointersCleared, "%s %s: %lu memo pointer cleared (%s)"},
    {kTextReportPointersCleared + 1, "%s %s: %lu memo pointers cleared (%s)"},
    {kTextReasonMemoFileMissing, "memo file missing"},
    {kTextReasonMemoFileNotRead, "memo file not read"},
    {kTextReasonMemoFileAllZero, "memo file all zeros, not read"},
    {kTextReasonBlockBeyondFile, "block beyond the memo file"},
    {kTextReasonMemoUnreadable, "memo unreadable"},
    {kTextReasonNotABlock, "not a block number"},
    {kTextTableTooShort, "the file is shorter than its header"},
    {kTextNoTerminator, "the field list has no end mark"},
    {kTextRecordLengthMismatch, "its record length %lu does not match its fields (%lu)"},
    {kTextTemplateNotSound,
     "Error 5: The template table '%s' is not a sound table: its header and field list do not scan "
     "cleanly. Choose an undamaged table of the same structure."},
    {kTextErrorOpenTemplate, "Error 6: Cannot open the template table. %1"},
    {kTextUnnamedFile, "an unnamed file"},
    {kTextOutOfMemory, "Out of memory."},
    {kTextNotSupported, "An unsupported operation was attempted."},
    {kTextFileExceptionBase + 0, "No error occurred."},
    {kTextFileExceptionBase + 1, "An unknown error occurred while accessing %1."},
    {kTextFileExceptionBase + 2, "%1 was not found."},
    {kTextFileExceptionBase + 3, "%1 contains an invalid path."},
    {kTextFileExceptionBase + 4, "%1 could not be opened because there are too many open files."},
    {kTextFileExceptionBase + 5, "Access to %1 was denied."},
    {kTextFileExceptionBase + 6, "An invalid file handle was associated with %1."},
    {kTextFileExceptionBase + 7, "%1 could not be removed because it is the current directory."},
    {kTextFileExceptionBase + 8, "%1 could not be created because the directory is full."},
    {kTextFileExceptionBase + 9, "Seek failed on %1"},
    {kTextFileExceptionBase + 10, "A hardware I/O error was reported while accessing %1."},
    {kTextFileExceptionBase + 11, "A sharing violation occurred while accessing %1."},
    {kTextFileExceptionBase + 12, "A locking violation occurred while accessing %1."},
    {kTextFileExceptionBase + 13, "Disk full while accessing %1."},
    {kTextFileExceptionBase + 14, "An attempt was made to access %1 past its end."},
};

template <typename... Args>
std::string Format(const char* pattern, Args... args) {
  int size = std::snprintf(nullptr, 0, pattern, args...);
  if (size <= 0) return {};
  std::vector<char> out(static_cast<size_t>(size) + 1);
  std::snprintf(out.data(), out.size(), pattern, args...);
  return std::string(out.data(), static_cast<size_t>(size));
}

}  // namespace

const char* EngineText(uint32_t id) {
  for (const TextEntry& entry : kTexts)
    if (entry.id == id) return entry.text;
  return "";
}

std::string FormatText(uint32_t id, unsigned long value) { return Format(EngineText(id), value); }

std::string FormatText(uint32_t id, const char* text) { return Format(EngineText(id), text); }

std::string FormatText(uint32_t id, const char* text, unsigned long value) {
  return Format(EngineText(id), text, value);
}

std::string FormatTextWith(uint32_t id, ...) {
  va_list args;
  va_start(args, id);
  va_list probe;
  va_copy(probe, args);
  const int size = std::vsnprintf(nullptr, 0, EngineText(id), probe);
  va_end(probe);
  std::string text;
  if (size > 0) {
    std::vector<char> out(static_cast<size_t>(size) + 1);
    std::vsnprintf(out.data(), out.size(), EngineText(id), args);
    text.assign(out.data(), static_cast<size_t>(size));
  }
  va_end(args);
  return text;
}

std::string InsertDescription(const char* text, const std::string& description) {
  std::string result(text);
  auto slot = result.find("%1");
  if (slot != std::string::npos) result.replace(slot, 2, description);
  return result;
}

}  // namespace mendrel
