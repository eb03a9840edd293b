#include "display_width.h"

#include <cstdint>

namespace tessaly_cli {

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
