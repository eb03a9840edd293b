#include "repair_options.h"

#include "mendrel.h"

namespace mendrel {

void RepairOptions::Unpack(uint32_t word) {
  RecoverDeleted = word & MENDREL_OPT_RECOVER_DELETED;
  RepairDate = word & MENDREL_OPT_REPAIR_DATE;
  SplitTable = word & MENDREL_OPT_SPLIT_TABLE;
  ReadSrcMemoFile = word & MENDREL_OPT_READ_SRC_MEMO;
  IgnoreAllZeroSrcMemoFile = word & MENDREL_OPT_IGNORE_ALL_ZERO_MEMO;
  DBFVersion = static_cast<uint8_t>(word >> MENDREL_OPT_VERSION_SHIFT);
  MaxFieldCount = static_cast<uint16_t>(word >> MENDREL_OPT_MAX_FIELDS_SHIFT);
  if (MaxFieldCount == 0) MaxFieldCount = 255;
}

}  // namespace mendrel
