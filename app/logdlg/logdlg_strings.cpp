#include "logdlg/logdlg_strings.h"

#include <QLocale>

#include <iterator>

namespace {

struct TextEntry {
  int id;
  const char* text;
};

constexpr TextEntry kTexts[] = {
    {kTextSeparator, "--------------------------------------------------------"},
    {kTextIncludeSystemInfo, "Include S&ystem Information"},
    {kTextIncludeSystemInfoHint, "Include system information in the log file"},
    {kTextLogFilter, "Log files (*.log)"},
    {kTextLogExtension, "log"},
    {kTextVersionInformation, " Version Information:"},
    {kTextFileVersion, "File Version: %s"},
    {kTextProductVersion, "Product Version: %s"},
    {kTextOperatingSystem, "Operating System: %s %d.%.2d.%d"},
    {kTextWindowsDirectory, "Windows Directory: %s"},
    {kTextSystemDirectory, "System Directory: %s"},
    {kTextTemporaryDirectory, "Temporary Directory: %s"},
    {kTextCannotGetInformation, "Cannot get the required infomation. Error Code: %d."},
    {kTextMemoryStatus, "Memory Status:"},
    {kTextMemoryInUse, "Memory in use: %u%%"},
    {kTextTotalPhysicalMemory, "Total physical memory: %.0n bytes"},
    {kTextFreePhysicalMemory, "Free physical memory: %.0n bytes"},
    {kTextTotalPageFileMemory, "Total page file memory: %.0n bytes"},
    {kTextFreePageFileMemory, "Free page file memory: %.0n bytes"},
    {kTextTotalVirtualMemory, "Total virtual memory: %.0n bytes"},
    {kTextFreeVirtualMemory, "Free virtual memory: %.0n bytes"},
    {kTextEnvironmentInformation, "Environment Information:"},
    {kTextDriveInformation, "Drive Information:"},
    {kTextFixedDriveLine,
     "%s, %s, Total Disk Spaces: %.0n bytes, Free Disk Spaces: %.0n bytes."},
    {kTextDriveLine, "%s, %s"},
    {kTextEndOfSystemInformation, "End of System Information"},
    {kTextSettingInformation, "Setting Information:"},
    {kTextEndOfSettingInformation, "End of Setting Information"},
    {kTextCheckBoxState, "%s: %s"},
    {kTextYes, "Yes"},
    {kTextNo, "No"},
    {kTextErrorCaption, "Error"},
    {kTextCannotCreateFile, "Cannot create file %s"},
    {kTextDriveTypeBase + 0, "Unknown Drive Type"},
    {kTextDriveTypeBase + 1, "Invalid Root Path"},
    {kTextDriveTypeBase + 2, "Removable Drive"},
    {kTextDriveTypeBase + 3, "Fixed Drive"},
    {kTextDriveTypeBase + 4, "Remote Network Drive"},
    {kTextDriveTypeBase + 5, "CD-ROM Drive"},
    {kTextDriveTypeBase + 6, "RAM Disk"},
};

// One "%" slot of a text: its precision and conversion letter, and where it ends.
struct Slot {
  int precision = -1;
  QChar conversion;
  qsizetype end = 0;
};

Slot ParseSlot(const QString& text, qsizetype percent) {
  Slot slot;
  qsizetype at = percent + 1;
  if (at < text.size() && text[at] == u'.') {
    qsizetype digitsEnd = at + 1;
    while (digitsEnd < text.size() && text[digitsEnd].isDigit()) ++digitsEnd;
    slot.precision = text.mid(at + 1, digitsEnd - at - 1).toInt();
    at = digitsEnd;
  }
  if (at < text.size()) slot.conversion = text[at++];
  slot.end = at;
  return slot;
}

QString RenderSlot(const Slot& slot, const QVariant& arg) {
  switch (slot.conversion.unicode()) {
    case u's':
      return arg.toString();
    case u'd':
    case u'u': {
      const QString digits = QString::number(arg.toLongLong());
      const bool negative = digits.startsWith(u'-');
      const QString magnitude = negative ? digits.mid(1) : digits;
      return (negative ? QStringLiteral("-") : QString()) +
             magnitude.rightJustified(qMax(slot.precision, 1), u'0');
    }
    case u'n':
      return FormatGroupedNumber(arg.toLongLong());
    default:
      return {};
  }
}

}  // namespace

QString LogDlgText(int id) {
  for (const TextEntry& entry : kTexts) {
    if (entry.id == id) return QString::fromUtf8(entry.text);
  }
  return {};
}

QString FormatLogDlgText(int id, std::initializer_list<QVariant> args) {
  const QString text = LogDlgText(id);
  QString result;
  auto nextArg = args.begin();
  qsizetype at = 0;
  while (at < text.size()) {
    const qsizetype percent = text.indexOf(u'%', at);
    if (percent < 0) {
      result += text.mid(at);
      break;
    }
    result += text.mid(at, percent - at);
    const Slot slot = ParseSlot(text, percent);
    if (slot.conversion == u'%') {
      result += u'%';
    } else if (nextArg != args.end()) {
      result += RenderSlot(slot, *nextArg++);
    }
    at = slot.end;
  }
  return result;
}

QString FormatGroupedNumber(qint64 value) {
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return locale.toString(value);
}
