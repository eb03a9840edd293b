#include <windows.h>

#include <cerrno>
#include <system_error>
#include <initializer_list>

#include "io/file_exception.h"
#include "io/os_error.h"

namespace mendrel {
namespace {

struct CauseCodes {
  int32_t cause;
  std::initializer_list<int32_t> codes;
};

// Windows system error numbers by cause; every other code is a generic failure.
const CauseCodes kCauses[] = {
    {CFileException::fileNotFound, {2, 6, 18, 107}},
    {CFileException::badPath,
     {3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267}},
    {CFileException::tooManyOpenFiles, {4, 36, 68, 113}},
    {CFileException::accessDenied, {5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999}},
    {CFileException::invalidFile, {11, 26, 60, 66, 114, 182, 191, 193}},
    {CFileException::removeCurrentDir, {16, 145}},
    {CFileException::directoryFull, {62}},
    {CFileException::badSeek, {24, 25, 27, 30, 131, 132}},
    {CFileException::hardIO, {20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997}},
    {CFileException::sharingViolation, {32}},
    {CFileException::lockViolation, {33, 108, 167}},
    {CFileException::diskFull, {39, 112}},
    {CFileException::endOfFile, {38}},
};

}  // namespace

int32_t CauseOfOsError(int32_t osError) {
  if (osError == 0) return CFileException::none;
  for (const CauseCodes& entry : kCauses)
    for (int32_t code : entry.codes)
      if (code == osError) return entry.cause;
  return CFileException::generic;
}

// The C library's words for the causes it has a number for, so that both systems say
// the same; the system's message for the rest.
std::string OsErrorText(int32_t osError) {
  switch (CauseOfOsError(osError)) {
    case CFileException::fileNotFound:
    case CFileException::badPath: return std::generic_category().message(ENOENT);
    case CFileException::accessDenied:
    case CFileException::sharingViolation:
    case CFileException::lockViolation: return std::generic_category().message(EACCES);
    default: break;
  }
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      static_cast<DWORD>(osError), 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
    message.pop_back();
  return message;
}

}  // namespace mendrel
