// The conversion of Windows, whose C library has no iconv: the system's own tables.
#ifdef _WIN32
#include <windows.h>

#include <string>

#include "code_page.h"

namespace tessaly_common {

CodePageConverter::CodePageConverter(uint32_t codePage) : codePage_(codePage) {}

CodePageConverter::~CodePageConverter() = default;

bool CodePageConverter::IsUsable() const { return IsValidCodePage(codePage_) != 0; }

std::string CodePageConverter::ToUtf8(std::string_view text) {
  if (text.empty() || !IsUsable()) return std::string(text);
  const int size = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(codePage_, 0, text.data(), size, nullptr, 0);
  std::wstring utf16(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(codePage_, 0, text.data(), size, utf16.data(), wide);
  const int narrow = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(narrow), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, utf8.data(), narrow, nullptr, nullptr);
  return utf8;
}

}  // namespace tessaly_common
#endif
