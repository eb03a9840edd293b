#pragma once

#include <QString>

// Ids of the log dialog's string table. Texts are looked up by id so that they can be
// translated without touching the code.
enum LogDlgTextId : int {
  kTextSeparator = 1,
  kTextIncludeSystemInfo,
  kTextIncludeSystemInfoHint,
  kTextLogFilter,
  kTextLogExtension,
  kTextVersionInformation,
  kTextFileVersion,
  kTextProductVersion,
  kTextOperatingSystem,
  kTextWindowsDirectory,
  kTextSystemDirectory,
  kTextTemporaryDirectory,
  kTextCannotGetInformation,
  kTextMemoryStatus,
  kTextMemoryInUse,
  kTextTotalPhysicalMemory,
  kTextFreePhysicalMemory,
  kTextTotalPageFileMemory,
  kTextFreePageFileMemory,
  kTextTotalVirtualMemory,
  kTextFreeVirtualMemory,
  kTextEnvironmentInformation,
  kTextDriveInformation,
  kTextFixedDriveLine,
  kTextDriveLine,
  kTextEndOfSystemInformation,
  kTextSettingInformation,
  kTextEndOfSettingInformation,
  kTextCheckBoxState,
  kTextYes,
  kTextNo,
  kTextErrorCaption,
  kTextCannotCreateFile,
  kTextHiddenValue,
  kTextDriveTypeBase = 100,  // + drive type code 0..6
};

// The text for an id, translated when a translation is installed; an empty text for an id
// the table does not hold. Its slots "%1", "%2" ... are filled with QString::arg.
QString LogDlgText(int id);
