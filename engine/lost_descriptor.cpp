#include "lost_descriptor.h"

#include <algorithm>
#include <vector>

#include "byte_order.h"
#include "column_type_guess.h"
#include "field_descriptor.h"
#include "field_name.h"
#include "positioned_reader.h"
#include "record_start_sampling.h"

namespace mendrel {
namespace {

constexpr uint32_t kMostPlainWidth = 255;
constexpr uint32_t kMostLongWidth = 65535;
constexpr uint64_t kMostCheckedFlags = 16;
constexpr uint8_t kCharacterType = 'C';
constexpr uint8_t kSystemNamePrefix = '_';
constexpr size_t kFieldOffset = 12;  // where a Visual FoxPro descriptor keeps the field's place

// The versions whose header says the table has a memo file.
bool VersionPromisesMemo(uint8_t version) {
  switch (version) {
    case 0x7B: case 0x83: case 0x8B: case 0xCB: case 0xE5: case 0xF5: case 0xFB: return true;
    default: return false;
  }
}

// What the header tells about the table, none of it trusted on its own.
struct HeaderHints {
  uint8_t version;
  uint32_t recordCount;
  uint32_t headerLength;
  uint32_t recordLength;
  bool promisesMemo;
};

HeaderHints ReadHints(const TableHeader& header) {
  const uint8_t version = header[kHeaderVersion];
  const bool memoFlag = (header[kHeaderTableFlags] & kTableFlagHasMemo) != 0;
  return {version, ReadLE32(&header[kHeaderRecordCount]), ReadLittle16(&header[kHeaderLength]),
          ReadLittle16(&header[kHeaderRecordLength]),
          VersionPromisesMemo(version) || (IsVisualFoxProFamily(version) && memoFlag)};
}

// The blocks before the first terminator inside the header area; none without one.
std::vector<FieldDescriptor> BlocksBeforeTerminator(PositionedReader& bytes, uint32_t headerLength) {
  std::vector<FieldDescriptor> blocks;
  const uint64_t end = std::min<uint64_t>(headerLength, bytes.length());
  for (uint64_t at = kTableHeaderSize; at < end; at += kFieldDescriptorSize) {
    if (bytes.At(at) == kDescriptorTerminator) return blocks;
    FieldDescriptor block{};
    bytes.Read(at, block.data(), kFieldDescriptorSize);
    blocks.push_back(block);
  }
  return {};
}

uint32_t PlainWidth(const FieldDescriptor& block, uint8_t) { return FieldLength(block); }

// Byte 17 is the high byte of a character field's length; an unknown type becomes one.
uint32_t LongWidth(const FieldDescriptor& block, uint8_t version) {
  const uint8_t type = block[kFieldType];
  const bool character = type == kCharacterType || !IsKnownFieldType(type, version);
  return FieldLength(block) | (character ? uint32_t{block[kFieldDecimals]} << 8 : 0);
}

using WidthOf = uint32_t (*)(const FieldDescriptor&, uint8_t);

// The widths of the blocks before index `end`, skipping index `skip`.
uint64_t SumOfWidths(const std::vector<FieldDescriptor>& blocks, size_t end, size_t skip, uint8_t version,
                     WidthOf width) {
  uint64_t sum = 0;
  for (size_t i = 0; i < end; ++i)
    if (i != skip) sum += width(blocks[i], version);
  return sum;
}

// A name, read up to its first NUL, that a field may have; a system field's may begin with "_".
bool IsValidNameUpToNul(const FieldDescriptor& block) {
  const uint8_t* name = block.data();
  size_t length = 0;
  while (length < kFieldNameSize && name[length] != 0) ++length;
  if (length > 1 && name[0] == kSystemNamePrefix && IsSystemField(block)) {
    ++name;
    --length;
  }
  uint8_t padded[kFieldNameSize] = {};
  std::copy(name, name + length, padded);
  return IsValidFieldName(padded, kFieldNameSize);
}

// Without an implausible block the lost one is found by its name, but only when the record
// length disagrees with the list and the record count confirms it.
std::vector<size_t> LostBlockCandidates(const std::vector<FieldDescriptor>& blocks, const HeaderHints& hints,
                                        PositionedReader& bytes) {
  std::vector<size_t> implausible;
  for (size_t i = 0; i < blocks.size(); ++i)
    if (!IsPlausibleDescriptor(blocks[i], hints.version)) implausible.push_back(i);
  if (!implausible.empty()) return implausible;

  const size_t none = blocks.size();
  const uint64_t plain = 1 + SumOfWidths(blocks, blocks.size(), none, hints.version, PlainWidth);
  const uint64_t wide = 1 + SumOfWidths(blocks, blocks.size(), none, hints.version, LongWidth);
  if (hints.recordLength == plain || hints.recordLength == wide) return {};
  const uint64_t end = hints.headerLength + uint64_t{hints.recordCount} * hints.recordLength;
  const bool countConfirmed =
      hints.recordCount >= 1 && (end == bytes.length() || (end < bytes.length() && bytes.At(end) == kEndMark));
  if (!countConfirmed) return {};
  std::vector<size_t> badNames;
  for (size_t i = 0; i < blocks.size(); ++i)
    if (!IsValidNameUpToNul(blocks[i])) badNames.push_back(i);
  return badNames;
}

// The lost field's width: what the record length leaves to it, by plain widths if that
// fits one byte, else by long widths unless the plain reading explains the record length.
struct LostWidth {
  uint32_t width = 0;
  WidthOf widthOf = PlainWidth;
};

std::optional<LostWidth> WidthOfLostBlock(const std::vector<FieldDescriptor>& blocks, size_t lost,
                                          const HeaderHints& hints) {
  const int64_t plainOthers = static_cast<int64_t>(SumOfWidths(blocks, blocks.size(), lost, hints.version, PlainWidth));
  const int64_t plain = int64_t{hints.recordLength} - 1 - plainOthers;
  if (plain >= 1 && plain <= kMostPlainWidth) return LostWidth{static_cast<uint32_t>(plain), PlainWidth};
  const int64_t wide =
      int64_t{hints.recordLength} - 1 - static_cast<int64_t>(SumOfWidths(blocks, blocks.size(), lost, hints.version, LongWidth));
  if (wide < 1 || wide > kMostLongWidth) return std::nullopt;
  if (wide > kMostPlainWidth && 1 + plainOthers + wide % 256 == hints.recordLength) return std::nullopt;
  return LostWidth{static_cast<uint32_t>(wide), LongWidth};
}

// The records the header's lengths imply: the stored count when the file holds them.
uint64_t RecordsToExamine(const HeaderHints& hints, uint64_t sourceLength) {
  const uint64_t fit = sourceLength >= hints.headerLength ? (sourceLength - hints.headerLength) / hints.recordLength : 0;
  return hints.recordCount >= 1 && hints.recordCount <= fit ? hints.recordCount : fit;
}

bool SampledRecordsHaveFlags(PositionedReader& bytes, const HeaderHints& hints, uint64_t records) {
  const uint64_t samples = std::min(records, kMostCheckedFlags);
  for (uint64_t j = 0; j < samples; ++j) {
    const uint8_t flag = bytes.At(hints.headerLength + SampledRecord(j, samples, records) * hints.recordLength);
    if (flag != kLiveRecordFlag && flag != kDeletedRecordFlag) return false;
  }
  return true;
}

// The lost field's bytes in every record: where it lies and how wide it is.
struct LostColumn {
  uint32_t offset;
  uint32_t width;
};

ColumnProfile ReadColumn(PositionedReader& bytes, const HeaderHints& hints, uint64_t records, const LostColumn& lost) {
  ColumnProfile column(lost.width);
  std::vector<uint8_t> value(lost.width);
  for (uint64_t record = 0; record < records; ++record) {
    bytes.Read(hints.headerLength + record * hints.recordLength + lost.offset, value.data(), lost.width);
    column.Add(value.data());
  }
  return column;
}

bool OtherMemoField(const std::vector<FieldDescriptor>& blocks, size_t lost, uint8_t version) {
  for (size_t i = 0; i < blocks.size(); ++i)
    if (i != lost && IsMemoField(blocks[i][kFieldType], FieldLength(blocks[i]), version)) return true;
  return false;
}

FieldDescriptor RebuiltBlock(const ColumnType& type, uint32_t width, uint32_t offset, uint8_t version) {
  FieldDescriptor block{};
  block[kFieldType] = type.type;
  block[kFieldLength] = static_cast<uint8_t>(width);
  block[kFieldDecimals] = type.decimals;
  if (IsVisualFoxProFamily(version)) WriteLE32(&block[kFieldOffset], offset);
  return block;
}

std::optional<DescriptorReplacement> Rebuild(const HeaderHints& hints, PositionedReader& bytes, MemoPointerCheck& memo) {
  if (hints.recordLength < 2) return std::nullopt;
  const std::vector<FieldDescriptor> blocks = BlocksBeforeTerminator(bytes, hints.headerLength);
  const size_t count = blocks.size();
  if (count < 2 || !IsHeaderLengthBelievable(static_cast<uint16_t>(hints.headerLength),
                                             kTableHeaderSize + kFieldDescriptorSize * count + 1))
    return std::nullopt;
  if (!IsPlausibleDescriptor(blocks[0], hints.version)) return std::nullopt;
  const std::vector<size_t> candidates = LostBlockCandidates(blocks, hints, bytes);
  if (candidates.size() != 1 || candidates[0] == 0) return std::nullopt;
  const size_t lost = candidates[0];
  const std::optional<LostWidth> width = WidthOfLostBlock(blocks, lost, hints);
  if (!width) return std::nullopt;
  const uint64_t records = RecordsToExamine(hints, bytes.length());
  if (records == 0 || !SampledRecordsHaveFlags(bytes, hints, records)) return std::nullopt;
  const LostColumn column{static_cast<uint32_t>(1 + SumOfWidths(blocks, lost, lost, hints.version, width->widthOf)),
                          width->width};
  ColumnType type{kCharacterType, static_cast<uint8_t>(column.width >> 8)};
  if (column.width <= kMostPlainWidth) {
    const ColumnSetting setting{hints.version, hints.promisesMemo, OtherMemoField(blocks, lost, hints.version)};
    type = GuessColumnType(ReadColumn(bytes, hints, records, column), setting, memo);
  }
  return DescriptorReplacement{lost, RebuiltBlock(type, column.width, column.offset, hints.version)};
}

}  // namespace

std::optional<DescriptorReplacement> RebuildLostDescriptor(const TableHeader& header, CFile64Ex& source,
                                                          uint64_t sourceLength, MemoPointerCheck& memo) {
  const uint64_t position = source.GetPosition();
  PositionedReader bytes(source, sourceLength);
  std::optional<DescriptorReplacement> rebuilt = Rebuild(ReadHints(header), bytes, memo);
  source.Seek(static_cast<int64_t>(position), CFile64::begin);
  return rebuilt;
}

}  // namespace mendrel
