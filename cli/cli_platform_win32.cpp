#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "cli_platform.h"
#include "log_format.h"

namespace tessaly_cli {

bool NameTaken(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

uint64_t RegularFileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return 0;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void UseBinaryOutput(std::FILE* stream) { _setmode(_fileno(stream), _O_BINARY); }

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

// The user's own setting, asked without changing the process locale.
std::string UserThousandsSeparator() {
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) == 0 ||
      separator[0] == '\0')
    return ",";
  return separator;
}

}  // namespace tessaly_cli
