#pragma once

#include <QString>
#include <QVariant>

#include <initializer_list>

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
  kTextDriveTypeBase = 100,  // + drive type code 0..6
};

// The text for an id; an empty text for an id the table does not hold.
QString LogDlgText(int id);

// Fills the text's slots in order: "%s" takes a text, "%d" and "%u" an integer ("%.2d":
// at least two digits), "%.0n" an integer grouped with the locale's thousands separator,
// "%%" is a percent sign.
QString FormatLogDlgText(int id, std::initializer_list<QVariant> args);

// An integer with the user's thousands separator and no decimals.
QString FormatGroupedNumber(qint64 value);
