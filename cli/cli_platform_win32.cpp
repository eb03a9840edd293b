#include <io.h>
#include <windows.h>

#include <cstdio>

#include "cli_platform.h"
#include "log_format.h"

namespace tessaly_cli {
namespace {

HANDLE Native(NativeFile file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

NativeFile OpenForReading(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<NativeFile>(file);
}

void CloseFile(NativeFile file) {
  if (file != kNoFile) CloseHandle(Native(file));
}

size_t ReadFileAt(NativeFile file, void* buffer, size_t count, uint64_t offset) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD got = 0;
  if (!ReadFile(Native(file), buffer, static_cast<DWORD>(count), &got, &at)) return 0;
  return got;
}

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
