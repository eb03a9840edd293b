#include "app_strings.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>

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
     QT_TRANSLATE_NOOP("AppStrings", "A file named '%1' already exists. Overwrite it?")},
    {StrId::RepairAborted, QT_TRANSLATE_NOOP("AppStrings", "Repair process is aborted.")},
    {StrId::FileToBeRepaired,
     QT_TRANSLATE_NOOP("AppStrings", "File to be repaired: '%1'; File size = %2 bytes")},
    {StrId::OutputFixedFileAs, QT_TRANSLATE_NOOP("AppStrings", "Output fixed file as: '%1'")},
    {StrId::ConsumedTimeMask,
     QT_TRANSLATE_NOOP("AppStrings",
                       "\"Consumed time:\" h \"hour(s)\" n \"minute(s)\" s "
                       "\"second(s)\" z \"millisecond(s).\"")},
    {StrId::RepairCompletes, QT_TRANSLATE_NOOP("AppStrings", "Repair process completes.")},
    {StrId::UserAborts, QT_TRANSLATE_NOOP("AppStrings", "User aborts the repair process")},
    {StrId::RepairedSuccessfully,
     QT_TRANSLATE_NOOP("AppStrings", "File '%1' has been repaired successfully!")},
    {StrId::RunFixedSelfExtracting,
     QT_TRANSLATE_NOOP("AppStrings", "Now you can run the fixed self-extracting file '%1'.")},
    {StrId::OpenFixedFile,
     QT_TRANSLATE_NOOP("AppStrings", "Now you can open the fixed file '%1'.")},
    {StrId::FailToRepair, QT_TRANSLATE_NOOP("AppStrings", "Fail to repair file '%1'!")},
    {StrId::CannotOpenOrRun, QT_TRANSLATE_NOOP("AppStrings", "Cannot open or run file '%1'!")},
    {StrId::CannotOpenFile, QT_TRANSLATE_NOOP("AppStrings", "Cannot open file %1")},
    {StrId::CannotSaveSettings, QT_TRANSLATE_NOOP("AppStrings", "Cannot save the settings to %1")},
    {StrId::PartialOutputHolds,
     QT_TRANSLATE_NOOP("AppStrings", "The partial output '%1' holds %2 record(s).")},
    {StrId::StoppedBeforeOutput,
     QT_TRANSLATE_NOOP("AppStrings", "The repair was stopped before it wrote any output.")},

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
     QT_TRANSLATE_NOOP("AppStrings", "%1 file(s) repaired successfully")},
    {StrId::BatchOutcomeCounts,
     QT_TRANSLATE_NOOP("AppStrings", "%1 failed, %2 aborted, %3 not processed")},
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

}  // namespace

QString AppString(StrId id) {
  const char* text = StringIndex().value(static_cast<int>(id), nullptr);
  if (text == nullptr) return QString();
  return QCoreApplication::translate("AppStrings", text);
}

QString GroupedNumber(qint64 value) {
  // Grouped also where the locale would leave the digits plain (the C locale),
  // as tessaly-cli groups them.
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return locale.toString(value);
}
