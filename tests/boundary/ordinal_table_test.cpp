// The shipped library, reached only through its exported ordinal table.
#include <gtest/gtest.h>

#include "event_recorder.h"
#include "mendrel.h"

using namespace tessaly_test;

#ifdef _WIN32
// The DLL's export table is checked by ordinal in the build (see the ordinal-only check).
TEST(OrdinalTable, EveryEntryIsBoundByOrdinal) {
  EXPECT_NE(MendrelRepair(), nullptr);
  EXPECT_NE(MendrelDisplayFieldValue(), nullptr);
  EXPECT_NE(MendrelDisplayMemoValue(), nullptr);
  EXPECT_NE(MendrelIsAllZeroFile(), nullptr);
  EXPECT_NE(MendrelOpenTable(), nullptr);
  EXPECT_NE(MendrelGetTableInfo(), nullptr);
  EXPECT_NE(MendrelGetField(), nullptr);
  EXPECT_NE(MendrelReadRecord(), nullptr);
  EXPECT_NE(MendrelRenderField(), nullptr);
  EXPECT_NE(MendrelCloseTable(), nullptr);
  EXPECT_NE(MendrelRepairEx(), nullptr);
}
#else
TEST(OrdinalTable, HoldsElevenEntriesAfterAnUnusedSlot) {
  EXPECT_EQ(MendrelOrdinals[0], nullptr);
  for (int i = 1; i <= 11; ++i) EXPECT_NE(MendrelOrdinals[i], nullptr) << i;
  EXPECT_EQ(sizeof MendrelOrdinals / sizeof MendrelOrdinals[0], 12u);
}
#endif

TEST(OrdinalTable, TheReadInterfaceRefusesNullArgumentsWithoutCrashing) {
  int32_t failure = 0;
  EXPECT_EQ(MendrelOpenTable()(nullptr, &failure, nullptr, 0), nullptr);
  EXPECT_EQ(failure, MENDREL_OPEN_UNREADABLE);
  MendrelTableInfo info{};
  EXPECT_EQ(MendrelGetTableInfo()(nullptr, &info), 0);
  EXPECT_EQ(MendrelGetField()(nullptr, 0, nullptr), 0);
  char byte = 0;
  EXPECT_EQ(MendrelReadRecord()(nullptr, 0, &byte, 1), -1);
  EXPECT_EQ(MendrelRenderField()(nullptr, 0, 0, 0, &byte, 1), -1);
  MendrelCloseTable()(nullptr);
}

TEST(OrdinalTable, MaskingIsAnXorOfEveryByteWithTheKey) {
  RepairArgs args{};
  args.optionWord = 0x00FF081F;
  RepairArgs masked = args;
  MendrelMaskArgs(&masked);
  const auto* plain = reinterpret_cast<const unsigned char*>(&args);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&masked);
  for (size_t i = 0; i < sizeof args; ++i) EXPECT_EQ(bytes[i], plain[i] ^ 0x5A) << i;
  EXPECT_EQ(sizeof(RepairArgs), 6 * sizeof(void*));
}

TEST(OrdinalTable, PacksOptionsIntoTheirBitFields) {
  EXPECT_EQ(MendrelPackOptions(0x1F, MENDREL_VERSION_VISUAL_FOXPRO, 300) & 0xFFFF, 0x081Fu);
  EXPECT_EQ(MendrelPackOptions(0, 0, 300) >> 16, 300u);
}

TEST(OrdinalTable, ARunStartsWithProgressZeroThenTheSourcePath) {
  EventRecorder recorder;
  RunRepair("/nonexistent/source.dbf", "/nonexistent/out.dbf", 0, &recorder);
  ASSERT_GE(recorder.events.size(), 2u);
  EXPECT_EQ(recorder.events[0], Progress(0));
  EXPECT_EQ(recorder.events[1], SourceFile("/nonexistent/source.dbf"));
}

TEST(OrdinalTable, ReservedSlotHasNoEffect) {
  EventRecorder plain, withReserved;
  int32_t a = RunRepair("/nonexistent/source.dbf", "/nonexistent/out.dbf", 0, &plain, 0);
  int32_t b = RunRepair("/nonexistent/source.dbf", "/nonexistent/out.dbf", 0, &withReserved,
                        static_cast<uintptr_t>(0xDEADBEEF));
  EXPECT_EQ(a, b);
  EXPECT_EQ(plain.events, withReserved.events);
}

TEST(OrdinalTable, NullCallbackRunsSilently) {
  EXPECT_EQ(RunRepair("/nonexistent/source.dbf", "/nonexistent/out.dbf", 0, nullptr), 0);
}

TEST(OrdinalTable, NullBlockIsRefused) { EXPECT_EQ(MendrelRepair()(nullptr), 0); }
