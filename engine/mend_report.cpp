#include "mend_report.h"

#include <cstring>

#include "engine_strings.h"
#include "table_header.h"

namespace mendrel {
namespace {

using ULong = unsigned long;
using ULongLong = unsigned long long;

// A name area's text, up to its first NUL.
std::string NameText(const uint8_t* name) {
  const auto* text = reinterpret_cast<const char*>(name);
  return std::string(text, strnlen(text, kFieldNameSize));
}

// Text as the report shows it: ASCII, anything else as "?", so that every line is valid
// UTF-8 whatever a descriptor holds.
std::string Printable(std::string text) {
  for (char& c : text)
    if (c < 0x20 || c > 0x7E) c = '?';
  return text;
}

std::string PrintableName(const FieldDescriptor& field) { return Printable(NameText(field.data())); }

std::string PrintableType(const FieldDescriptor& field) {
  const char type = static_cast<char>(field[kFieldType]);
  return std::string(1, type >= 0x20 && type <= 0x7E ? type : '?');
}

uint32_t ReasonText(FieldMends kind, SourceMemoState memoState) {
  switch (kind) {
    case kMemoPointerNoMemoFile:
      if (memoState == SourceMemoState::notRead) return kTextReasonMemoFileNotRead;
      if (memoState == SourceMemoState::allZero) return kTextReasonMemoFileAllZero;
      return kTextReasonMemoFileMissing;
    case kMemoPointerBeyondFile: return kTextReasonBlockBeyondFile;
    case kMemoPointerUnreadable: return kTextReasonMemoUnreadable;
    default: return kTextReasonNotABlock;
  }
}

void AddTableLines(const RecordAreaFacts& area, const MendCounts& counts, std::vector<std::string>& lines) {
  const uint64_t after = area.BytesAfterLastWholeRecord();
  lines.push_back(FormatTextWith(kTextReportRecordArea, ULongLong{area.start}, ULong{area.stride},
                                 ULong{area.fieldOffset}, ULong{area.announced}, ULong{area.written},
                                 ULongLong{after}));
  lines.push_back(
      FormatTextWith(CountedText(kTextReportRecordsFound, area.announced), ULong{area.announced}, ULong{area.written}));
  if (const uint32_t live = counts.DeletedWrittenLive())
    lines.push_back(FormatTextWith(CountedText(kTextReportDeletedLive, live), ULong{live}));
  if (const uint32_t odd = counts.OddFlagsWrittenLive())
    lines.push_back(FormatTextWith(CountedText(kTextReportOddFlagsLive, odd), ULong{odd}));
  // One byte after the records is the end mark a sound table ends with.
  if (after > 1 || (after == 1 && !counts.EndMarkSeen()))
    lines.push_back(FormatTextWith(CountedText(kTextReportBytesAfter, after), ULongLong{after}));
}

void AddFieldLines(const FieldDescriptor& field, const DescriptorMend& descriptor, const MendCounts& counts, size_t index,
                   SourceMemoState memoState, std::vector<std::string>& lines) {
  const std::string name = PrintableName(field);
  const std::string type = PrintableType(field);
  if (descriptor.name)
    lines.push_back(FormatTextWith(kTextReportNameMended, name.c_str(), type.c_str(), Printable(descriptor.sourceName).c_str()));
  if (descriptor.type)
    lines.push_back(FormatTextWith(kTextReportTypeMended, name.c_str(), type.c_str(), static_cast<unsigned>(descriptor.sourceType)));
  auto add = [&](uint32_t textId, uint32_t count) {
    if (count != 0) lines.push_back(FormatTextWith(CountedText(textId, count), name.c_str(), type.c_str(), ULong{count}));
  };
  add(kTextReportDatesMended, counts.DatesMended(index));
  const uint32_t years = counts.DatesMended(index, kDateYearReplaced);
  const uint32_t months = counts.DatesMended(index, kDateMonthReplaced);
  const uint32_t days = counts.DatesMended(index, kDateDayReplaced);
  if (years + months + days != 0)
    lines.push_back(FormatTextWith(kTextReportDateParts, name.c_str(), type.c_str(), ULong{years}, ULong{months}, ULong{days}));
  add(kTextReportNumbersMended, counts.Of(index, kMendNumber));
  add(kTextReportLogicalsMended, counts.Of(index, kMendLogical));
  add(kTextReportMemosCopied, counts.Of(index, kMemoCopied));
  for (FieldMends reason :
       {kMemoPointerNoMemoFile, kMemoPointerBeyondFile, kMemoPointerUnreadable, kMemoPointerNotABlock}) {
    if (const uint32_t cleared = counts.Of(index, reason))
      lines.push_back(FormatTextWith(CountedText(kTextReportPointersCleared, cleared), name.c_str(), type.c_str(),
                                     ULong{cleared}, EngineText(ReasonText(reason, memoState))));
  }
}

}  // namespace

void MendCounts::CountFlag(uint8_t sourceFlag, bool writtenLive) {
  if (!writtenLive) return;
  if (sourceFlag == kDeletedRecordFlag) {
    ++deletedWrittenLive_;
  } else if (sourceFlag != kLiveRecordFlag) {
    ++oddFlagsWrittenLive_;
  }
}

uint32_t MendCounts::DatesMended(size_t field, uint32_t partReplaced) const {
  uint32_t dates = 0;
  for (uint32_t parts = 0; parts < kFieldMendKinds - kMendDate; ++parts)
    if (partReplaced == 0 || (parts & partReplaced) != 0) dates += fields_[field][kMendDate + parts];
  return dates;
}

uint64_t RecordAreaFacts::BytesAfterLastWholeRecord() const {
  if (stride == 0 || sourceLength <= start) return 0;
  return (sourceLength - start) % stride;
}

uint32_t FirstSelectedFieldOffset(const FieldLengths& lengths, const FieldSelection& selection) {
  uint32_t offset = 1;  // the deletion flag
  for (size_t i = 0; i < lengths.size() && (i >= selection.size() || selection[i] == 0); ++i) offset += lengths[i];
  return offset;
}

std::vector<DescriptorMend> FindDescriptorMends(const FieldList& fields, const std::vector<uint8_t>& sourceBlocks) {
  std::vector<DescriptorMend> mends(fields.size());
  for (size_t i = 0; i < fields.size() && (i + 1) * kFieldDescriptorSize <= sourceBlocks.size(); ++i) {
    const uint8_t* source = sourceBlocks.data() + i * kFieldDescriptorSize;
    mends[i].sourceName = NameText(source);
    mends[i].sourceType = source[kFieldType];
    mends[i].name = mends[i].sourceName != NameText(fields[i].data());
    mends[i].type = mends[i].sourceType != fields[i][kFieldType];
  }
  return mends;
}

std::vector<std::string> MendReportLines(const RecordAreaFacts& area, const MendCounts& counts, const FieldList& fields,
                                         const std::vector<DescriptorMend>& descriptorMends,
                                         const FieldSelection& selection, SourceMemoState memoState) {
  std::vector<std::string> lines;
  AddTableLines(area, counts, lines);
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i >= selection.size() || selection[i] == 0) continue;
    AddFieldLines(fields[i], i < descriptorMends.size() ? descriptorMends[i] : DescriptorMend{}, counts, i, memoState,
                  lines);
  }
  return lines;
}

}  // namespace mendrel
