#pragma once

#include <cstdint>
#include <string>

namespace mendrel {

// Ids of the engine's string table. Texts are looked up by id so that they can be
// translated without touching the code.
enum EngineTextId : uint32_t {
  kTextGeneratedFieldName = 1,  // "Field%lu"
  kTextDefaultYear = 2,
  kTextDefaultMonth = 3,
  kTextDefaultDay = 4,
  kTextTruncated = 5,
  kTextPicture = 6,
  kTextObject = 7,
  kTextWriteHeader = 8,
  kTextAddRecords = 9,
  kTextAnalyzing = 10,
  kTextErrorOpenSource = 11,
  kTextErrorGeneral = 12,
  kTextErrorUnknown = 13,
  kTextErrorCreateFile = 14,
  kTextSplitFile = 15,
  kTextShareViolation = 16,
  kTextTemplateNotSound = 17,    // template path
  kTextErrorOpenTemplate = 18,   // "%1": why the template cannot be opened
  kTextUnnamedFile = 61446,
  kTextOutOfMemory = 61447,
  kTextNotSupported = 61448,
  kTextFileExceptionBase = 61856,  // + CFileException cause
};

// The text for an id; an empty text for an id the table does not hold.
const char* EngineText(uint32_t id);

// printf-style formatting of an engine text with one unsigned long ("%lu") or one string ("%s").
std::string FormatText(uint32_t id, unsigned long value);
std::string FormatText(uint32_t id, const char* text);
std::string FormatText(uint32_t id, const char* text, unsigned long value);

// Replaces the "%1" slot of a text with a description.
std::string InsertDescription(const char* text, const std::string& description);

}  // namespace mendrel
