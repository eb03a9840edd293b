// tessaly-cli: repairs damaged tables through the engine library and shows their
// records, from a terminal or a script.
#include <cstdio>
#include <string>
#include <vector>

#include "cli_platform.h"
#include "cli_texts.h"
#include "command_line.h"
#include "repair_command.h"
#include "repair_log.h"
#include "show_command.h"
#include "stop_request.h"
#include "tessaly_version.h"

TESSALY_VERSION_NOTE();

namespace {

constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
  using namespace tessaly_cli;
  const std::vector<std::string> args(argv + 1, argv + argc);
  CommandLine line;
  try {
    line = ParseCommandLine(args);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "%s\n%s\n", FormatCliText(kTextUsageError, error.what()).c_str(),
                 CliText(kTextTryHelp));
    return kExitUsage;
  }
  switch (line.kind) {
    case CommandKind::kHelp:
      std::fputs(CliText(kTextHelp), stdout);
      return 0;
    case CommandKind::kVersion:
      std::printf("%s\n", FormatCliText(kTextVersion, TESSALY_VERSION_MAJOR, TESSALY_VERSION_MINOR,
                                        TESSALY_VERSION_PATCH)
                              .c_str());
      return 0;
    case CommandKind::kShow:
      return RunShowCommand(line.show, stdout, stderr);
    case CommandKind::kRepair:
    default: {
      InstallStopHandler();
      ConsoleLog console(stdout, stderr, StandardErrorIsTerminal());
      return RunRepairCommand(line.repair, console);
    }
  }
}
