#include "command_line.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <thread>
#include <utility>

#include "cli_texts.h"
#include "code_page.h"

namespace tessaly_cli {
namespace {

constexpr uint32_t kLowestFieldCount = 1;
constexpr uint32_t kHighestFieldCount = 32767;
constexpr uint64_t kFewestJobs = 1;
constexpr uint64_t kMostJobs = 256;

// Version names in the order of their option-word values.
constexpr std::array<const char*, 9> kVersionNames = {
    "auto", "dbase3", "dbase4", "dbase5", "foxbase", "foxpro20", "foxpro25", "foxpro26", "vfp"};

struct Switch {
  const char* name;
  uint32_t bit;
  bool on;
};

constexpr Switch kSwitches[] = {
    {"--recover-deleted", MENDREL_OPT_RECOVER_DELETED, true},
    {"--no-recover-deleted", MENDREL_OPT_RECOVER_DELETED, false},
    {"--repair-date", MENDREL_OPT_REPAIR_DATE, true},
    {"--no-repair-date", MENDREL_OPT_REPAIR_DATE, false},
    {"--split", MENDREL_OPT_SPLIT_TABLE, true},
    {"--no-split", MENDREL_OPT_SPLIT_TABLE, false},
    {"--read-memo", MENDREL_OPT_READ_SRC_MEMO, true},
    {"--no-read-memo", MENDREL_OPT_READ_SRC_MEMO, false},
    {"--ignore-zero-memo", MENDREL_OPT_IGNORE_ALL_ZERO_MEMO, true},
    {"--no-ignore-zero-memo", MENDREL_OPT_IGNORE_ALL_ZERO_MEMO, false},
};

// Walks the arguments of one command; "--name=value" and "--name value" both work,
// and "--" ends the options.
class ArgumentCursor {
 public:
  explicit ArgumentCursor(const std::vector<std::string>& args) : args_(args) {}

  bool Next() {
    if (index_ >= args_.size()) return false;
    current_ = args_[index_++];
    inlineValue_.reset();
    if (!optionsEnded_ && current_ == "--") {
      optionsEnded_ = true;
      return Next();
    }
    if (IsOption() && current_.rfind("--", 0) == 0) {
      const auto equals = current_.find('=');
      if (equals != std::string::npos) {
        inlineValue_ = current_.substr(equals + 1);
        current_.resize(equals);
      }
    }
    return true;
  }

  bool IsOption() const { return !optionsEnded_ && current_.size() > 1 && current_[0] == '-'; }
  const std::string& Current() const { return current_; }
  bool HasInlineValue() const { return inlineValue_.has_value(); }

  std::string Value() {
    if (inlineValue_) return *inlineValue_;
    if (index_ >= args_.size()) {
      throw UsageError(FormatCliText(kTextMissingValue, current_.c_str()));
    }
    return args_[index_++];
  }

 private:
  const std::vector<std::string>& args_;
  size_t index_ = 0;
  std::string current_;
  std::optional<std::string> inlineValue_;
  bool optionsEnded_ = false;
};

uint64_t ParseCount(const std::string& option, const std::string& text, uint64_t lowest,
                    uint64_t highest) {
  const bool digitsOnly =
      !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  errno = 0;
  const unsigned long long value = digitsOnly ? std::strtoull(text.c_str(), nullptr, 10) : 0;
  if (!digitsOnly || errno == ERANGE || value < lowest || value > highest) {
    throw UsageError(FormatCliText(kTextBadNumber, option.c_str(),
                                   static_cast<unsigned long>(lowest),
                                   static_cast<unsigned long>(highest), text.c_str()));
  }
  return value;
}

uint32_t ParseVersion(const std::string& text) {
  for (size_t i = 0; i < kVersionNames.size(); ++i) {
    if (text == kVersionNames[i]) return static_cast<uint32_t>(i);
  }
  throw UsageError(FormatCliText(kTextBadVersion, text.c_str()));
}

uint32_t ParseCodePage(const std::string& text) {
  const bool digitsOnly = !text.empty() && text.size() <= 5 && text.find_first_not_of("0123456789") == std::string::npos;
  const auto codePage = static_cast<uint32_t>(digitsOnly ? std::strtoul(text.c_str(), nullptr, 10) : 0);
  if (tessaly_common::IsChoosableCodePage(codePage)) return codePage;
  std::string choices;
  for (uint32_t choice : tessaly_common::ChoosableCodePages()) choices += (choices.empty() ? "" : ", ") + std::to_string(choice);
  throw UsageError(FormatCliText(kTextBadCodePage, text.c_str(), choices.c_str()));
}

void RejectInlineValue(const ArgumentCursor& cursor) {
  if (cursor.HasInlineValue()) {
    throw UsageError(FormatCliText(kTextUnknownOption, cursor.Current().c_str()));
  }
}

bool ApplySwitch(const ArgumentCursor& cursor, RepairRequest& request) {
  for (const Switch& entry : kSwitches) {
    if (cursor.Current() != entry.name) continue;
    RejectInlineValue(cursor);
    request.flags = entry.on ? (request.flags | entry.bit) : (request.flags & ~entry.bit);
    return true;
  }
  return false;
}

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

CommandLine ParseRepair(ArgumentCursor& cursor) {
  CommandLine line;
  line.kind = CommandKind::kRepair;
  RepairRequest& request = line.repair;
  bool outputGiven = false;
  while (cursor.Next()) {
    const std::string& arg = cursor.Current();
    if (!cursor.IsOption()) {
      request.sources.push_back(arg);
    } else if (arg == "-o" || arg == "--output") {
      request.output = cursor.Value();
      outputGiven = true;
    } else if (arg == "--template") {
      request.templatePath = cursor.Value();
      if (request.templatePath.empty()) throw UsageError(FormatCliText(kTextMissingValue, "--template"));
    } else if (arg == "--overwrite") {
      RejectInlineValue(cursor);
      request.overwrite = true;
    } else if (arg == "--max-fields") {
      request.maxFieldCount = static_cast<uint32_t>(
          ParseCount(arg, cursor.Value(), kLowestFieldCount, kHighestFieldCount));
    } else if (arg == "--version") {
      request.version = ParseVersion(cursor.Value());
    } else if (arg == "-j" || arg == "--jobs") {
      request.jobs = static_cast<unsigned>(ParseCount(arg, cursor.Value(), kFewestJobs, kMostJobs));
    } else if (arg.rfind("-j", 0) == 0) {  // -j4, as make takes it
      request.jobs = static_cast<unsigned>(ParseCount("-j", arg.substr(2), kFewestJobs, kMostJobs));
    } else if (!ApplySwitch(cursor, request)) {
      throw UsageError(FormatCliText(kTextUnknownOption, arg.c_str()));
    }
  }
  if (request.sources.empty()) throw UsageError(CliText(kTextNoSource));
  if (outputGiven && request.output.empty()) {
    throw UsageError(FormatCliText(kTextMissingValue, "--output"));
  }
  if (outputGiven && request.sources.size() > 1) throw UsageError(CliText(kTextOutputWithSeveral));
  return line;
}

CommandLine ParseShow(ArgumentCursor& cursor) {
  CommandLine line;
  line.kind = CommandKind::kShow;
  while (cursor.Next()) {
    const std::string& arg = cursor.Current();
    if (!cursor.IsOption()) {
      if (!line.show.table.empty()) throw UsageError(FormatCliText(kTextExtraArgument, arg.c_str()));
      line.show.table = arg;
    } else if (arg == "--limit" || arg == "-n") {
      line.show.limit = ParseCount(arg, cursor.Value(), 0, UINT32_MAX);
    } else if (arg == "--csv") {
      RejectInlineValue(cursor);
      line.show.csv = true;
    } else if (arg == "--codepage") {
      line.show.codePage = ParseCodePage(cursor.Value());
    } else {
      throw UsageError(FormatCliText(kTextUnknownOption, arg.c_str()));
    }
  }
  if (line.show.table.empty()) throw UsageError(CliText(kTextNoSource));
  return line;
}

}  // namespace

unsigned RepairRequest::Jobs() const {
  if (jobs != 0) return jobs;
  const unsigned cores = std::thread::hardware_concurrency();
  return cores != 0 ? cores : 1;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (IsHelp(arg)) return CommandLine{};
  }
  if (args.empty()) throw UsageError(CliText(kTextNoCommand));
  if (args[0] == "--version") {
    if (args.size() > 1) throw UsageError(FormatCliText(kTextExtraArgument, args[1].c_str()));
    CommandLine line;
    line.kind = CommandKind::kVersion;
    return line;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  ArgumentCursor cursor(rest);
  if (args[0] == "repair") return ParseRepair(cursor);
  if (args[0] == "show") return ParseShow(cursor);
  throw UsageError(FormatCliText(kTextUnknownCommand, args[0].c_str()));
}

}  // namespace tessaly_cli
