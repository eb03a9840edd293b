#include "cell_text.h"

#include <cstdint>

namespace tessaly_cli {

std::string CellText(const char* bytes, size_t length) {
  std::string text;
  text.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == 0 || byte == '\t' || byte == '\r' || byte == '\n') {
      text += ' ';
    } else if (byte < 0x20 || byte == 0x7F) {
      text += '.';
    } else {
      text += static_cast<char>(byte);
    }
  }
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

size_t DisplayWidth(const std::string& text) {
  // Valid UTF-8 takes one column per character; anything else (a legacy code page)
  // one per byte, as a terminal draws each bad byte as a replacement mark.
  size_t width = 0;
  for (size_t i = 0; i < text.size(); ++width) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2
                         : (lead & 0xF8) == 0xF0 ? 3 : SIZE_MAX;
    if (extra == SIZE_MAX || i + extra >= text.size()) return text.size();
    for (size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return text.size();
    }
    i += extra + 1;
  }
  return width;
}

}  // namespace tessaly_cli
