#include "log_lines.h"

// Marks the texts for the translation tools; the table itself stays plain C++.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace tessaly_common {
namespace {

constexpr char kArgumentSlot[] = "%1";

}  // namespace

const char* LogLineText(LogLine line) {
  switch (line) {
    case LogLine::kTemplateTable:
      return QT_TRANSLATE_NOOP("LogLines", "Field list taken from the template table: '%1'");
  }
  return "";
}

std::string FormatLogLine(LogLine line, const std::string& argument) {
  return WithArgument(LogLineText(line), argument);
}

std::string WithArgument(const char* text, const std::string& argument) {
  std::string result = text;
  const size_t slot = result.find(kArgumentSlot);
  if (slot != std::string::npos) result.replace(slot, sizeof kArgumentSlot - 1, argument);
  return result;
}

}  // namespace tessaly_common
