#include "app_strings.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QStringList>

namespace {

struct StringEntry {
  StrId id;
  const char* text;
};

// Source texts; QT_TRANSLATE_NOOP marks them for the translation tools.
constexpr StringEntry kStrings[] = {
    {StrId::AppTitle, QT_TRANSLATE_NOOP("AppStrings", "Tessaly")},
    {StrId::VersionCaptionPrefix, QT_TRANSLATE_NOOP("AppStrings", " v")},
    {StrId::DbfFileFilter,
     QT_TRANSLATE_NOOP("AppStrings", "DBF files (*.dbf)|*.dbf|All files (*.*)|*.*")},
    {StrId::HomepageAddress, QT_TRANSLATE_NOOP("AppStrings", "https://tessaly.example.org/")},
    {StrId::SupportAddress, QT_TRANSLATE_NOOP("AppStrings", "support@tessaly.example.org")},
    {StrId::NoticeLine,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Tessaly only reads the damaged file; keep it until the repaired copy "
                       "is checked.")},
    {StrId::MailtoPrefix, QT_TRANSLATE_NOOP("AppStrings", "mailto:")},
    {StrId::CaptionInformation, QT_TRANSLATE_NOOP("AppStrings", "Information")},
    {StrId::CaptionConfirm, QT_TRANSLATE_NOOP("AppStrings", "Confirm")},
    {StrId::CaptionError, QT_TRANSLATE_NOOP("AppStrings", "Error")},
    {StrId::VersionOutput, QT_TRANSLATE_NOOP("AppStrings", "%s %s")},
    {StrId::SeparatorLine,
     QT_TRANSLATE_NOOP("AppStrings", "--------------------------------------------------------")},

    {StrId::PageRepair, QT_TRANSLATE_NOOP("AppStrings", "&Repair")},
    {StrId::PageBatch, QT_TRANSLATE_NOOP("AppStrings", "&Batch Repair")},
    {StrId::PageOptions, QT_TRANSLATE_NOOP("AppStrings", "&Options")},
    {StrId::PageAdvOptions, QT_TRANSLATE_NOOP("AppStrings", "Advanced Options")},
    {StrId::PageAbout, QT_TRANSLATE_NOOP("AppStrings", "&About")},

    {StrId::SelectSourcePrompt,
     QT_TRANSLATE_NOOP("AppStrings", "Select &DBF file to be repaired:")},
    {StrId::BrowseButton, QT_TRANSLATE_NOOP("AppStrings", "...")},
    {StrId::SearchSourceHint,
     QT_TRANSLATE_NOOP("AppStrings", "Search the source file in the computer")},
    {StrId::VersionLabel, QT_TRANSLATE_NOOP("AppStrings", "Version:")},
    {StrId::OutputFilePrompt, QT_TRANSLATE_NOOP("AppStrings", "&Output fixed file as:")},
    {StrId::RepairLogLabel, QT_TRANSLATE_NOOP("AppStrings", "Repair process log:")},
    {StrId::StartRepair, QT_TRANSLATE_NOOP("AppStrings", "&Start Repair")},
    {StrId::StopRepair, QT_TRANSLATE_NOOP("AppStrings", "&Stop Repair")},
    {StrId::SaveLog, QT_TRANSLATE_NOOP("AppStrings", "Save &Log")},
    {StrId::Help, QT_TRANSLATE_NOOP("AppStrings", "&Help")},
    {StrId::VersionAutoDetect, QT_TRANSLATE_NOOP("AppStrings", "Auto Detect")},
    {StrId::VersionDbase3, QT_TRANSLATE_NOOP("AppStrings", "dBASE III")},
    {StrId::VersionDbase4, QT_TRANSLATE_NOOP("AppStrings", "dBASE IV")},
    {StrId::VersionDbase5, QT_TRANSLATE_NOOP("AppStrings", "dBASE 5")},
    {StrId::VersionFoxBase, QT_TRANSLATE_NOOP("AppStrings", "FoxBase")},
    {StrId::VersionFoxPro20, QT_TRANSLATE_NOOP("AppStrings", "FoxPro 2.0")},
    {StrId::VersionFoxPro25, QT_TRANSLATE_NOOP("AppStrings", "FoxPro 2.5")},
    {StrId::VersionFoxPro26, QT_TRANSLATE_NOOP("AppStrings", "FoxPro 2.6")},
    {StrId::VersionVisualFoxPro, QT_TRANSLATE_NOOP("AppStrings", "Visual FoxPro")},

    {StrId::StartRepairProcess, QT_TRANSLATE_NOOP("AppStrings", "Start repair process ...")},
    {StrId::OverwriteQuestion,
     QT_TRANSLATE_NOOP("AppStrings", "A file named '%s' already exists. Overwrite it?")},
    {StrId::RepairAborted, QT_TRANSLATE_NOOP("AppStrings", "Repair process is aborted.")},
    {StrId::FileToBeRepaired,
     QT_TRANSLATE_NOOP("AppStrings", "File to be repaired: '%s'; File size = %.0n bytes")},
    {StrId::OutputFixedFileAs, QT_TRANSLATE_NOOP("AppStrings", "Output fixed file as: '%s'")},
    {StrId::ConsumedTimeMask,
     QT_TRANSLATE_NOOP("AppStrings",
                       "\"Consumed time:\" h \"hour(s)\" n \"minute(s)\" s "
                       "\"second(s)\" z \"millisecond(s).\"")},
    {StrId::RepairCompletes, QT_TRANSLATE_NOOP("AppStrings", "Repair process completes.")},
    {StrId::UserAborts, QT_TRANSLATE_NOOP("AppStrings", "User aborts the repair process")},
    {StrId::RepairedSuccessfully,
     QT_TRANSLATE_NOOP("AppStrings", "File '%s' has been repaired successfully!")},
    {StrId::RunFixedSelfExtracting,
     QT_TRANSLATE_NOOP("AppStrings", "Now you can run the fixed self-extracting file '%s'.")},
    {StrId::OpenFixedFile,
     QT_TRANSLATE_NOOP("AppStrings", "Now you can open the fixed file '%s'.")},
    {StrId::FailToRepair, QT_TRANSLATE_NOOP("AppStrings", "Fail to repair file '%s'!")},
    {StrId::CannotOpenOrRun, QT_TRANSLATE_NOOP("AppStrings", "Cannot open or run file '%s'!")},
    {StrId::CannotOpenFile, QT_TRANSLATE_NOOP("AppStrings", "Cannot open file %s")},
    {StrId::CannotSaveSettings, QT_TRANSLATE_NOOP("AppStrings", "Cannot save the settings to %s")},

    {StrId::BatchListLabel, QT_TRANSLATE_NOOP("AppStrings", "List of files to be repaired:")},
    {StrId::ColumnSourceFile, QT_TRANSLATE_NOOP("AppStrings", "Source File Name")},
    {StrId::ColumnTargetFile, QT_TRANSLATE_NOOP("AppStrings", "Target File Name")},
    {StrId::ColumnRepairStatus, QT_TRANSLATE_NOOP("AppStrings", "Repair Status")},
    {StrId::AddFiles, QT_TRANSLATE_NOOP("AppStrings", "&Add Files")},
    {StrId::SearchFiles, QT_TRANSLATE_NOOP("AppStrings", "&Search Files")},
    {StrId::RemoveFiles, QT_TRANSLATE_NOOP("AppStrings", "&Remove Files")},
    {StrId::RemoveAll, QT_TRANSLATE_NOOP("AppStrings", "R&emove All")},
    {StrId::StatusNotRepaired, QT_TRANSLATE_NOOP("AppStrings", "Not Repaired")},
    {StrId::StatusSuccessful, QT_TRANSLATE_NOOP("AppStrings", "Successful")},
    {StrId::StatusFailed, QT_TRANSLATE_NOOP("AppStrings", "Failed")},
    {StrId::StatusAborted, QT_TRANSLATE_NOOP("AppStrings", "Aborted")},
    {StrId::AddFilesFirst, QT_TRANSLATE_NOOP("AppStrings", "Please add files to the list first")},
    {StrId::FilesRepairedSuccessfully,
     QT_TRANSLATE_NOOP("AppStrings", "%d file(s) repaired successfully")},
    {StrId::ButtonYes, QT_TRANSLATE_NOOP("AppStrings", "&Yes")},
    {StrId::ButtonNo, QT_TRANSLATE_NOOP("AppStrings", "&No")},
    {StrId::ButtonCancel, QT_TRANSLATE_NOOP("AppStrings", "Cancel")},
    {StrId::ButtonNoToAll, QT_TRANSLATE_NOOP("AppStrings", "N&o to All")},
    {StrId::ButtonYesToAll, QT_TRANSLATE_NOOP("AppStrings", "Yes to &All")},

    {StrId::OpenFixedWhenFinished,
     QT_TRANSLATE_NOOP("AppStrings", "Open the fixed file when finished")},
    {StrId::RecoverDeletedRecords, QT_TRANSLATE_NOOP("AppStrings", "Recover &deleted records")},
    {StrId::RepairIncorrectDates, QT_TRANSLATE_NOOP("AppStrings", "Repair incorrect da&te fields")},
    {StrId::SplitTableWhenMore,
     QT_TRANSLATE_NOOP("AppStrings", "Split table when there are more than")},
    {StrId::FieldsLabel, QT_TRANSLATE_NOOP("AppStrings", "fields")},
    {StrId::ReadSourceMemoFile,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Read source DBT/FPT file for the memo or binary data fields ")},
    {StrId::IgnoreAllZeroMemoFile,
     QT_TRANSLATE_NOOP("AppStrings", "Ignore source DBT/FTP file filled with all zeros")},
    {StrId::TempDirLabel, QT_TRANSLATE_NOOP("AppStrings", "Directory for &temporary files:")},
    {StrId::BufSizeLabel, QT_TRANSLATE_NOOP("AppStrings", "Internal Processing &Buffer Size:")},
    {StrId::BytesLabel, QT_TRANSLATE_NOOP("AppStrings", "Bytes")},
    {StrId::SelectTempDirTitle,
     QT_TRANSLATE_NOOP("AppStrings", "Select directory for temporary files:")},

    {StrId::AboutVersionLabel, QT_TRANSLATE_NOOP("AppStrings", "Version:")},
    {StrId::AboutHomepageLabel, QT_TRANSLATE_NOOP("AppStrings", "Homepage:")},
    {StrId::AboutEmailLabel, QT_TRANSLATE_NOOP("AppStrings", "Support E-Mail:")},
};

const QHash<int, const char*>& StringIndex() {
  static const QHash<int, const char*> index = [] {
    QHash<int, const char*> built;
    for (const StringEntry& entry : kStrings) built.insert(static_cast<int>(entry.id), entry.text);
    return built;
  }();
  return index;
}

// Length of the placeholder that starts at pattern[at] ('%'), 0 when none does.
int PlaceholderLength(const QString& pattern, qsizetype at) {
  static const QString kPlaceholders[] = {QStringLiteral("%.0n"), QStringLiteral("%s"),
                                          QStringLiteral("%d"), QStringLiteral("%u")};
  for (const QString& placeholder : kPlaceholders)
    if (QStringView(pattern).mid(at).startsWith(placeholder)) return placeholder.size();
  return 0;
}

}  // namespace

QString AppString(StrId id) {
  const char* text = StringIndex().value(static_cast<int>(id), nullptr);
  if (text == nullptr) return QString();
  return QCoreApplication::translate("AppStrings", text);
}

QString FormatText(const QString& pattern, const QStringList& values) {
  QString result;
  qsizetype next = 0;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != u'%') {
      result += pattern[i];
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == u'%') {
      result += u'%';
      ++i;
      continue;
    }
    const int length = PlaceholderLength(pattern, i);
    if (length == 0) {
      result += pattern[i];
      continue;
    }
    result += next < values.size() ? values[next] : QString();
    ++next;
    i += length - 1;
  }
  return result;
}

QString FormatAppString(StrId id, const QStringList& values) {
  return FormatText(AppString(id), values);
}

QString GroupedNumber(qint64 value) {
  // The C locale has no thousands separator and renders the plain digits.
  return QLocale().toString(value);
}
