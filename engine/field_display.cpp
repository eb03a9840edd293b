#include "field_display.h"

namespace mendrel {

// Filled in with the field checks and the memo reader.
void DisplayFieldValue(char*, const unsigned char*, uint32_t) {}

void DisplayMemoValue(const char*, const unsigned char*, intptr_t, uint32_t, const char*, char* text,
                      uint32_t textSize) {
  for (uint32_t i = 0; text != nullptr && i < textSize; ++i) text[i] = 0;
}

}  // namespace mendrel
