// The conversion of the systems whose C library has iconv.
#ifndef _WIN32
#include <iconv.h>

#include <cerrno>
#include <string>

#include "code_page.h"

namespace tessaly_common {
namespace {

constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// iconv's name of a code page.
std::string IconvName(uint32_t codePage) {
  switch (codePage) {
    case 10000: return "MACINTOSH";
    case 10007: return "MAC-CYRILLIC";
    case 10029: return "MAC-CENTRALEUROPE";
    default: return "CP" + std::to_string(codePage);
  }
}

iconv_t Descriptor(void* converter) { return static_cast<iconv_t>(converter); }

}  // namespace

CodePageConverter::CodePageConverter(uint32_t codePage) : codePage_(codePage) {
  const iconv_t converter = iconv_open("UTF-8", IconvName(codePage).c_str());
  if (converter != kNoConverter) converter_ = converter;
}

CodePageConverter::~CodePageConverter() {
  if (converter_ != nullptr) iconv_close(Descriptor(converter_));
}

bool CodePageConverter::IsUsable() const { return converter_ != nullptr; }

std::string CodePageConverter::ToUtf8(std::string_view text) {
  if (converter_ == nullptr) return std::string(text);
  iconv(Descriptor(converter_), nullptr, nullptr, nullptr, nullptr);  // a fresh start for every text
  std::string utf8;
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t converted = iconv(Descriptor(converter_), &in, &inLeft, &out, &outLeft);
    const int error = errno;
    utf8.append(buffer, static_cast<size_t>(out - buffer));
    if (converted != static_cast<size_t>(-1) || error == E2BIG) continue;
    // A byte the code page leaves undefined, or an incomplete character at the end.
    utf8 += kReplacementCharacter;
    ++in;
    --inLeft;
  }
  return utf8;
}

}  // namespace tessaly_common
#endif
