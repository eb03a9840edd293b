// A platform a test installs serves the thread that installed it: a repair on another
// thread at the same time never reaches it.
#include <gtest/gtest.h>

#include <thread>

#include "fault_platform.h"
#include "io/platform.h"
#include "repair_session.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_test;

TEST(ParallelRepair, APlatformInstalledByATestServesItsOwnThreadOnly) {
  TempDir dir;
  TableBuilder().Field("NAME", 'C', 8).Record("one     ").Record("two     ").WriteTo(dir.File("s.dbf"));
  const auto repair = [&](const std::string& output) {
    mendrel::RepairSession session(nullptr, nullptr);
    return session.RepairTable(dir.File("s.dbf").c_str(), 0, 0, dir.File(output).c_str());
  };
  FaultPlatform faults;
  faults.FailCallOf(PlatformCall::open, 1, kErrorAccessDenied);
  mendrel::ScopedPlatform installed(faults);

  int32_t elsewhere = -1;
  std::thread other([&] { elsewhere = repair("other.dbf"); });
  other.join();
  EXPECT_EQ(elsewhere, 1);
  EXPECT_EQ(faults.CallCount(), 0u);

  EXPECT_EQ(repair("here.dbf"), 0);  // the source cannot be opened here
  EXPECT_GT(faults.CallCount(), 0u);
}
