// Lines of the repair log that the window and tessaly-cli word alike.
#ifndef TESSALY_LOG_LINES_H
#define TESSALY_LOG_LINES_H

#include <cstdint>
#include <string>

namespace tessaly_common {

// The translation context of the texts below, for clients that translate them.
inline constexpr char kLogLinesContext[] = "LogLines";

enum class LogLine : uint32_t {
  // Before a repair that takes its field list from a template; "%1" is the template's path.
  kTemplateTable = 1,
};

// The line's text, untranslated; "%1" stands for its argument.
const char* LogLineText(LogLine line);

// The text with the argument in the place of "%1".
std::string FormatLogLine(LogLine line, const std::string& argument);

// A text with the argument in the place of its "%1", as QString::arg would place it.
std::string WithArgument(const char* text, const std::string& argument);

}  // namespace tessaly_common

#endif
