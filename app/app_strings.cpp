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
    {StrId::NoticeLine,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Tessaly only reads the damaged file; keep it until the repaired copy "
                       "is checked.")},
    {StrId::CaptionInformation, QT_TRANSLATE_NOOP("AppStrings", "Information")},
    {StrId::CaptionConfirm, QT_TRANSLATE_NOOP("AppStrings", "Confirm")},
    {StrId::CaptionError, QT_TRANSLATE_NOOP("AppStrings", "Error")},
    {StrId::VersionOutput, QT_TRANSLATE_NOOP("AppStrings", "%1 %2")},
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
    {StrId::OutputFilePrompt, QT_TRANSLATE_NOOP("AppStrings", "Output &fixed file as:")},
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
    {StrId::AddFiles, QT_TRANSLATE_NOOP("AppStrings", "A&dd Files")},
    {StrId::SearchFiles, QT_TRANSLATE_NOOP("AppStrings", "Search &Files")},
    {StrId::RemoveFiles, QT_TRANSLATE_NOOP("AppStrings", "Re&move Files")},
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
     QT_TRANSLATE_NOOP("AppStrings", "Ignore source DBT/FPT file filled with all zeros")},
    {StrId::TempDirLabel, QT_TRANSLATE_NOOP("AppStrings", "Directory for &temporary files:")},
    {StrId::BufSizeLabel, QT_TRANSLATE_NOOP("AppStrings", "Internal Processing Buffer &Size:")},
    {StrId::BytesLabel, QT_TRANSLATE_NOOP("AppStrings", "Bytes")},
    {StrId::SelectTempDirTitle,
     QT_TRANSLATE_NOOP("AppStrings", "Select directory for temporary files:")},
    {StrId::TemplateCheckBox, QT_TRANSLATE_NOOP("AppStrings", "Take the &field list from a sound table")},
    {StrId::TemplateNotChosen,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Choose the sound table to take the field list from, or clear \"Take the "
                       "field list from a sound table\" on the Advanced Options page.")},

    {StrId::AboutVersionLabel, QT_TRANSLATE_NOOP("AppStrings", "Version:")},
    {StrId::AboutManualLabel, QT_TRANSLATE_NOOP("AppStrings", "Manual:")},
    {StrId::AboutLicenseLabel, QT_TRANSLATE_NOOP("AppStrings", "License:")},
    {StrId::HelpWindowTitle, QT_TRANSLATE_NOOP("AppStrings", "Tessaly Help")},

    {StrId::NameSrcMore, QT_TRANSLATE_NOOP("AppStrings", "Browse for the table to repair")},
    {StrId::NameSrcSearch, QT_TRANSLATE_NOOP("AppStrings", "Search for the table to repair")},
    {StrId::NameDstMore, QT_TRANSLATE_NOOP("AppStrings", "Browse for the output file")},
    {StrId::NameRepairLog, QT_TRANSLATE_NOOP("AppStrings", "Repair process log")},
    {StrId::NameFileList, QT_TRANSLATE_NOOP("AppStrings", "List of files to be repaired")},
    {StrId::NameGauge, QT_TRANSLATE_NOOP("AppStrings", "Repair progress")},
    {StrId::NameMaxFieldCount, QT_TRANSLATE_NOOP("AppStrings", "Most fields per table")},
    {StrId::NameMoreDir, QT_TRANSLATE_NOOP("AppStrings", "Browse for the temporary folder")},
    {StrId::NameManualLink, QT_TRANSLATE_NOOP("AppStrings", "Manual")},
    {StrId::NameLicenseLink, QT_TRANSLATE_NOOP("AppStrings", "License")},
    {StrId::NameTemplatePath, QT_TRANSLATE_NOOP("AppStrings", "Sound table to take the field list from")},
    {StrId::NameTemplateMore, QT_TRANSLATE_NOOP("AppStrings", "Browse for the sound table")},

    {StrId::TipSrcFile,
     QT_TRANSLATE_NOOP("AppStrings",
                       "The damaged table: type its path, browse, search or drop the file here")},
    {StrId::TipSrcMore,
     QT_TRANSLATE_NOOP("AppStrings", "Choose the damaged table in a file dialog")},
    {StrId::TipVersion,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Table version of the repaired file; Auto Detect keeps the damaged one's")},
    {StrId::TipDstFile,
     QT_TRANSLATE_NOOP("AppStrings",
                       "The repaired table to create; it follows the source until you name it")},
    {StrId::TipDstMore,
     QT_TRANSLATE_NOOP("AppStrings", "Choose the repaired table's name in a file dialog")},
    {StrId::TipRepairLog,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Every step of the repair; after a batch, select entries to see theirs")},
    {StrId::TipRepair,
     QT_TRANSLATE_NOOP("AppStrings", "Repair the table, or stop the repair that is running")},
    {StrId::TipSaveLog,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Save the log to a text file, with system information if you wish")},
    {StrId::TipHelp, QT_TRANSLATE_NOOP("AppStrings", "Open the manual (F1)")},
    {StrId::TipFileList,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Select entries to see their log; Delete removes them, Shift+Delete all")},
    {StrId::TipRepairFiles,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Repair every listed table beside itself, or stop the repair that is "
                       "running")},
    {StrId::TipAddFiles, QT_TRANSLATE_NOOP("AppStrings", "Add tables chosen in a file dialog")},
    {StrId::TipSearchFiles,
     QT_TRANSLATE_NOOP("AppStrings", "Add tables found by searching the computer")},
    {StrId::TipRemoveFiles,
     QT_TRANSLATE_NOOP("AppStrings", "Remove the selected entries (Delete)")},
    {StrId::TipRemoveAll, QT_TRANSLATE_NOOP("AppStrings", "Remove every entry (Shift+Delete)")},
    {StrId::TipGauge, QT_TRANSLATE_NOOP("AppStrings", "How far the running repair has come")},
    {StrId::TipOpenFixed,
     QT_TRANSLATE_NOOP("AppStrings",
                       "After a successful repair on the Repair page, open the repaired table")},
    {StrId::TipRecoverDeleted,
     QT_TRANSLATE_NOOP("AppStrings", "Write records marked as deleted as normal records")},
    {StrId::TipRepairDate, QT_TRANSLATE_NOOP("AppStrings", "Mend invalid dates in date fields")},
    {StrId::TipSplitTable,
     QT_TRANSLATE_NOOP("AppStrings", "Write a table with more fields as several tables")},
    {StrId::TipMaxFieldCount,
     QT_TRANSLATE_NOOP("AppStrings", "Most fields per repaired table when splitting, 1 to 32767")},
    {StrId::TipReadSrcMemoFile,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Copy memo texts and binary data from the damaged table's memo file")},
    {StrId::TipIgnoreAllZeroMemoFile,
     QT_TRANSLATE_NOOP("AppStrings", "Do not read a memo file that holds nothing but zero bytes")},
    {StrId::TipTempDir,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Folder for temporary files, kept with your settings and in saved logs")},
    {StrId::TipMoreDir, QT_TRANSLATE_NOOP("AppStrings", "Choose the folder in a folder dialog")},
    {StrId::TipBufSize,
     QT_TRANSLATE_NOOP("AppStrings",
                       "Buffer size in bytes, kept with your settings and in saved logs")},
    {StrId::TipTemplate,
     QT_TRANSLATE_NOOP("AppStrings",
                       "For a table whose header is lost or garbage: take the field list, header "
                       "and record length from an undamaged table of the same structure, such as "
                       "last month's copy. Used for this session's repairs, not stored")},
    {StrId::TipTemplatePath,
     QT_TRANSLATE_NOOP("AppStrings", "An undamaged table with the same fields as the damaged one")},
    {StrId::TipTemplateMore, QT_TRANSLATE_NOOP("AppStrings", "Choose the sound table in a file dialog")},
    {StrId::TipManualLink, QT_TRANSLATE_NOOP("AppStrings", "Open the manual")},
    {StrId::TipLicenseLink, QT_TRANSLATE_NOOP("AppStrings", "Open the license")},
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
