#include "header_rebuild.h"

#include <ctime>

#include "field_validation.h"
#include "mendrel.h"

namespace mendrel {
namespace {

constexpr int kBaseYear = 1900;

uint8_t AutoDetectedVersion(uint8_t current, bool hasMemo) {
  switch (current) {
    case kVersionFoxBase: return hasMemo ? kVersionDbase3WithMemo : current;
    case kVersionDbase3:
    case kVersionDbase3WithMemo: return hasMemo ? kVersionDbase3WithMemo : kVersionDbase3;
    case kVersionDbase4:
    case kVersionDbase5: return hasMemo ? kVersionDbase4WithMemo : current;
    case kVersionVisualFoxPro:
    case kVersionVisualFoxProAutoIncrement: return kVersionVisualFoxPro;
    case kVersionVisualFoxProVarchar: return current;  // it marks the variable-length types
    case kVersionDbase4SqlSystem:
    case kVersionDbase4SqlTable:
    case kVersionDbase4SqlSystemWithMemo:
    case kVersionSixWithMemo: return current;
    case kVersionDbase4WithSqlTable:
    case kVersionDbase4WithMemo:
    case kVersionFoxProWithMemo:
    case kVersionFoxProWithDbaseMemo: return hasMemo ? current : kVersionDbase3;
    default: return hasMemo ? kVersionDbase4WithMemo : kVersionDbase3;
  }
}

}  // namespace

uint8_t OutputVersionByte(uint8_t current, uint8_t dbfVersion, bool hasMemo) {
  switch (dbfVersion) {
    case MENDREL_VERSION_AUTO: return AutoDetectedVersion(current, hasMemo);
    case MENDREL_VERSION_DBASE3:
    case MENDREL_VERSION_FOXBASE: return hasMemo ? kVersionDbase3WithMemo : kVersionDbase3;
    case MENDREL_VERSION_DBASE4:
    case MENDREL_VERSION_DBASE5: return hasMemo ? kVersionDbase4WithMemo : kVersionDbase3;
    case MENDREL_VERSION_FOXPRO20:
    case MENDREL_VERSION_FOXPRO25:
    case MENDREL_VERSION_FOXPRO26: return hasMemo ? kVersionFoxProWithMemo : kVersionDbase3;
    case MENDREL_VERSION_VISUAL_FOXPRO: return kVersionVisualFoxPro;
    default: return current;
  }
}

void RepairHeaderDate(TableHeader& header, int currentYear) {
  if (kBaseYear + header[kHeaderYear] > currentYear) header[kHeaderYear] = 0;
  if (header[kHeaderMonth] == 0 || header[kHeaderMonth] > 12) header[kHeaderMonth] = 1;
  const uint32_t days = DaysInMonth(kBaseYear + header[kHeaderYear], header[kHeaderMonth]);
  if (header[kHeaderDay] == 0 || header[kHeaderDay] > days) header[kHeaderDay] = 1;
}

int CurrentLocalYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return kBaseYear + local.tm_year;
}

void RebuildHeader(const RepairOptions& options, TableHeader& header, const FieldLengths& lengths,
                   const FieldSelection& selection, uint32_t extraHeaderBytes, bool hasMemo) {
  header[kHeaderVersion] = OutputVersionByte(header[kHeaderVersion], options.DBFVersion, hasMemo);
  RepairHeaderDate(header, CurrentLocalYear());
  WriteLittle32(&header[kHeaderRecordCount], 0);

  uint32_t selectedCount = 0;
  uint32_t recordLength = 1;  // the deletion flag
  for (size_t i = 0; i < lengths.size(); ++i) {
    if (i >= selection.size() || selection[i] == 0) continue;
    ++selectedCount;
    recordLength += lengths[i];
  }
  const uint32_t headerLength =
      kFieldDescriptorSize * selectedCount + extraHeaderBytes + kTableHeaderSize + 1;
  WriteLittle16(&header[kHeaderLength], static_cast<uint16_t>(headerLength));
  WriteLittle16(&header[kHeaderRecordLength], static_cast<uint16_t>(recordLength));
  WriteLittle16(&header[kHeaderReserved], 0);

  uint8_t flags = 0;
  if (IsVisualFoxProFamily(header[kHeaderVersion])) {
    if (hasMemo) flags |= kTableFlagHasMemo;
    if (extraHeaderBytes != 0) flags |= kTableFlagExtraHeaderBytes;
  }
  header[kHeaderTableFlags] = flags;
  WriteLittle16(&header[kHeaderReservedEnd], 0);
}

}  // namespace mendrel
