#include "logdlg/logdlg_strings.h"

#include <QCoreApplication>

namespace {

struct TextEntry {
  int id;
  const char* text;
};

constexpr TextEntry kTexts[] = {
    {kTextSeparator, QT_TRANSLATE_NOOP("LogDlgStrings",
                                       "--------------------------------------------------------")},
    {kTextIncludeSystemInfo, QT_TRANSLATE_NOOP("LogDlgStrings", "Include S&ystem Information")},
    {kTextIncludeSystemInfoHint,
     QT_TRANSLATE_NOOP("LogDlgStrings", "Include system information in the log file")},
    {kTextLogFilter, QT_TRANSLATE_NOOP("LogDlgStrings", "Log files (*.log)")},
    {kTextLogExtension, QT_TRANSLATE_NOOP("LogDlgStrings", "log")},
    {kTextVersionInformation, QT_TRANSLATE_NOOP("LogDlgStrings", " Version Information:")},
    {kTextFileVersion, QT_TRANSLATE_NOOP("LogDlgStrings", "File Version: %1")},
    {kTextProductVersion, QT_TRANSLATE_NOOP("LogDlgStrings", "Product Version: %1")},
    {kTextOperatingSystem, QT_TRANSLATE_NOOP("LogDlgStrings", "Operating System: %1 %2.%3.%4")},
    {kTextWindowsDirectory, QT_TRANSLATE_NOOP("LogDlgStrings", "Windows Directory: %1")},
    {kTextSystemDirectory, QT_TRANSLATE_NOOP("LogDlgStrings", "System Directory: %1")},
    {kTextTemporaryDirectory, QT_TRANSLATE_NOOP("LogDlgStrings", "Temporary Directory: %1")},
    {kTextCannotGetInformation,
     QT_TRANSLATE_NOOP("LogDlgStrings", "Cannot get the required infomation. Error Code: %1.")},
    {kTextMemoryStatus, QT_TRANSLATE_NOOP("LogDlgStrings", "Memory Status:")},
    {kTextMemoryInUse, QT_TRANSLATE_NOOP("LogDlgStrings", "Memory in use: %1%")},
    {kTextTotalPhysicalMemory,
     QT_TRANSLATE_NOOP("LogDlgStrings", "Total physical memory: %1 bytes")},
    {kTextFreePhysicalMemory, QT_TRANSLATE_NOOP("LogDlgStrings", "Free physical memory: %1 bytes")},
    {kTextTotalPageFileMemory,
     QT_TRANSLATE_NOOP("LogDlgStrings", "Total page file memory: %1 bytes")},
    {kTextFreePageFileMemory,
     QT_TRANSLATE_NOOP("LogDlgStrings", "Free page file memory: %1 bytes")},
    {kTextTotalVirtualMemory, QT_TRANSLATE_NOOP("LogDlgStrings", "Total virtual memory: %1 bytes")},
    {kTextFreeVirtualMemory, QT_TRANSLATE_NOOP("LogDlgStrings", "Free virtual memory: %1 bytes")},
    {kTextEnvironmentInformation, QT_TRANSLATE_NOOP("LogDlgStrings", "Environment Information:")},
    {kTextDriveInformation, QT_TRANSLATE_NOOP("LogDlgStrings", "Drive Information:")},
    {kTextFixedDriveLine,
     QT_TRANSLATE_NOOP("LogDlgStrings",
                       "%1, %2, Total Disk Spaces: %3 bytes, Free Disk Spaces: %4 bytes.")},
    {kTextDriveLine, QT_TRANSLATE_NOOP("LogDlgStrings", "%1, %2")},
    {kTextEndOfSystemInformation, QT_TRANSLATE_NOOP("LogDlgStrings", "End of System Information")},
    {kTextSettingInformation, QT_TRANSLATE_NOOP("LogDlgStrings", "Setting Information:")},
    {kTextEndOfSettingInformation,
     QT_TRANSLATE_NOOP("LogDlgStrings", "End of Setting Information")},
    {kTextCheckBoxState, QT_TRANSLATE_NOOP("LogDlgStrings", "%1: %2")},
    {kTextYes, QT_TRANSLATE_NOOP("LogDlgStrings", "Yes")},
    {kTextNo, QT_TRANSLATE_NOOP("LogDlgStrings", "No")},
    {kTextErrorCaption, QT_TRANSLATE_NOOP("LogDlgStrings", "Error")},
    {kTextCannotCreateFile, QT_TRANSLATE_NOOP("LogDlgStrings", "Cannot create file %1")},
    {kTextHiddenValue, QT_TRANSLATE_NOOP("LogDlgStrings", "(hidden)")},
    {kTextDriveTypeBase + 0, QT_TRANSLATE_NOOP("LogDlgStrings", "Unknown Drive Type")},
    {kTextDriveTypeBase + 1, QT_TRANSLATE_NOOP("LogDlgStrings", "Invalid Root Path")},
    {kTextDriveTypeBase + 2, QT_TRANSLATE_NOOP("LogDlgStrings", "Removable Drive")},
    {kTextDriveTypeBase + 3, QT_TRANSLATE_NOOP("LogDlgStrings", "Fixed Drive")},
    {kTextDriveTypeBase + 4, QT_TRANSLATE_NOOP("LogDlgStrings", "Remote Network Drive")},
    {kTextDriveTypeBase + 5, QT_TRANSLATE_NOOP("LogDlgStrings", "CD-ROM Drive")},
    {kTextDriveTypeBase + 6, QT_TRANSLATE_NOOP("LogDlgStrings", "RAM Disk")},
};

}  // namespace

QString LogDlgText(int id) {
  for (const TextEntry& entry : kTexts) {
    if (entry.id == id) return QCoreApplication::translate("LogDlgStrings", entry.text);
  }
  return {};
}
