#pragma once

#include <cstdint>

namespace mendrel {

// Ordinal 2: makes one non-memo field displayable, exactly as the repair writes it.
void DisplayFieldValue(char* fieldBytes, const unsigned char* descriptor, uint32_t optionWord);

// Ordinal 3: the display text of one memo-type field, read through the caller's handle.
void DisplayMemoValue(const char* fieldBytes, const unsigned char* descriptor, intptr_t memoHandle,
                      uint32_t blockSize, const char* memoPath, char* text, uint32_t textSize);

}  // namespace mendrel
