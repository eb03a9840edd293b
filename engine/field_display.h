#pragma once

#include <cstdint>

namespace mendrel {

class CMemoFile;

// Ordinal 2: makes one non-memo field displayable, exactly as the repair writes it.
void DisplayFieldValue(char* fieldBytes, const unsigned char* descriptor, uint32_t optionWord);

// Ordinal 3: the display text of one memo-type field, read through the caller's handle.
void DisplayMemoValue(const char* fieldBytes, const unsigned char* descriptor, intptr_t memoHandle,
                      uint32_t blockSize, const char* memoPath, char* text, uint32_t textSize);

// Ordinal 3's text of a memo field whose memo file is open: all textSize bytes of text
// are set, a memo longer than the text ends in the truncation mark. Returns the length
// of the whole text (the memo's, or the word shown for a picture or an object); 0 when
// the field points to no memo.
uint64_t RenderMemoText(CMemoFile& memoFile, const char* fieldBytes, uint32_t length, char* text, uint32_t textSize);

}  // namespace mendrel
