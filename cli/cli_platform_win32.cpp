#include <io.h>
#include <windows.h>

#include <cerrno>
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

FileKind KindOf(const std::string& path, int& error) {
  error = 0;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD cause = GetLastError();
    error = cause == ERROR_ACCESS_DENIED || cause == ERROR_SHARING_VIOLATION ? EACCES : ENOENT;
    return FileKind::missing;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return FileKind::folder;
  return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? FileKind::other : FileKind::regular;
}

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

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  const char last = folder.empty() ? '\\' : folder.back();
  const std::string pattern =
      folder + (last == '\\' || last == '/' || last == ':' ? "*" : "\\*");
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

// "\", "/" and the ":" after a drive letter all end a folder part.
size_t NameStart(const std::string& path) {
  const size_t mark = path.find_last_of("\\/:");
  return mark == std::string::npos ? 0 : mark + 1;
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
