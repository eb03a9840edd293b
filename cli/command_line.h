#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "mendrel.h"

namespace tessaly_cli {

// A command line that cannot be run; the text says why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What `repair` was asked to do, with the desktop application's option defaults.
struct RepairRequest {
  std::vector<std::string> sources;
  std::string output;  // empty: each source is repaired beside itself
  std::string templatePath;  // a sound table whose field list replaces each source's; empty: none
  bool overwrite = false;
  uint32_t flags = MENDREL_OPT_RECOVER_DELETED | MENDREL_OPT_REPAIR_DATE |
                   MENDREL_OPT_SPLIT_TABLE | MENDREL_OPT_READ_SRC_MEMO |
                   MENDREL_OPT_IGNORE_ALL_ZERO_MEMO;
  uint32_t version = MENDREL_VERSION_AUTO;
  uint32_t maxFieldCount = 255;
  unsigned jobs = 0;  // tables repaired at once; 0: as many as the machine has cores

  uint32_t OptionWord() const { return MendrelPackOptions(flags, version, maxFieldCount); }
  // The jobs asked for, or the number of cores (at least 1).
  unsigned Jobs() const;
};

struct ShowRequest {
  std::string table;
  std::optional<uint64_t> limit;
  bool csv = false;
  // The code page of a table whose header names none: the DOS code page of the US.
  uint32_t codePage = 437;
};

enum class CommandKind { kHelp, kVersion, kRepair, kShow };

struct CommandLine {
  CommandKind kind = CommandKind::kHelp;
  RepairRequest repair;
  ShowRequest show;
};

// Reads the arguments after the program name; throws UsageError.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

}  // namespace tessaly_cli
