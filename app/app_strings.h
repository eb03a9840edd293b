// The application's string table: every user-visible text, looked up by id so
// that a translation can replace it.
#ifndef TESSALY_APP_STRINGS_H
#define TESSALY_APP_STRINGS_H

#include <QString>

enum class StrId : int {
  // Application and window
  AppTitle = 1,
  VersionCaptionPrefix,
  DbfFileFilter,
  NoticeLine,
  CaptionInformation,
  CaptionConfirm,
  CaptionError,
  SeparatorLine,
  VersionOutput,

  // Pages
  PageRepair = 100,
  PageBatch,
  PageOptions,
  PageAdvOptions,
  PageAbout,

  // "Repair" page
  SelectSourcePrompt = 200,
  BrowseButton,
  SearchSourceHint,
  VersionLabel,
  OutputFilePrompt,
  RepairLogLabel,
  StartRepair,
  StopRepair,
  SaveLog,
  Help,
  VersionAutoDetect,
  VersionDbase3,
  VersionDbase4,
  VersionDbase5,
  VersionFoxBase,
  VersionFoxPro20,
  VersionFoxPro25,
  VersionFoxPro26,
  VersionVisualFoxPro,

  // Single-file repair
  StartRepairProcess = 300,
  OverwriteQuestion,
  RepairAborted,
  FileToBeRepaired,
  OutputFixedFileAs,
  ConsumedTimeMask,
  RepairCompletes,
  UserAborts,
  RepairedSuccessfully,
  RunFixedSelfExtracting,
  OpenFixedFile,
  FailToRepair,
  CannotOpenOrRun,
  CannotOpenFile,
  CannotSaveSettings,
  PartialOutputHolds,
  StoppedBeforeOutput,

  // "Batch Repair" page
  BatchListLabel = 400,
  ColumnSourceFile,
  ColumnTargetFile,
  ColumnRepairStatus,
  AddFiles,
  SearchFiles,
  RemoveFiles,
  RemoveAll,
  StatusNotRepaired,
  StatusSuccessful,
  StatusFailed,
  StatusAborted,
  AddFilesFirst,
  FilesRepairedSuccessfully,
  BatchOutcomeCounts,
  ButtonYes,
  ButtonNo,
  ButtonCancel,
  ButtonNoToAll,
  ButtonYesToAll,

  // "Options" and "Advanced Options" pages
  OpenFixedWhenFinished = 500,
  RecoverDeletedRecords,
  RepairIncorrectDates,
  SplitTableWhenMore,
  FieldsLabel,
  ReadSourceMemoFile,
  IgnoreAllZeroMemoFile,
  TempDirLabel,
  BufSizeLabel,
  BytesLabel,
  SelectTempDirTitle,
  TemplateCheckBox,
  TemplateNotChosen,

  // "About" page
  AboutVersionLabel = 600,
  AboutManualLabel,
  AboutLicenseLabel,
  HelpWindowTitle,

  // Accessible names of controls whose caption does not name them
  NameSrcMore = 700,
  NameSrcSearch,
  NameDstMore,
  NameRepairLog,
  NameFileList,
  NameGauge,
  NameMaxFieldCount,
  NameMoreDir,
  NameManualLink,
  NameLicenseLink,
  NameTemplatePath,
  NameTemplateMore,

  // Tooltips
  TipSrcFile = 800,
  TipSrcMore,
  TipVersion,
  TipDstFile,
  TipDstMore,
  TipRepairLog,
  TipRepair,
  TipSaveLog,
  TipHelp,
  TipFileList,
  TipRepairFiles,
  TipAddFiles,
  TipSearchFiles,
  TipRemoveFiles,
  TipRemoveAll,
  TipGauge,
  TipOpenFixed,
  TipRecoverDeleted,
  TipRepairDate,
  TipSplitTable,
  TipMaxFieldCount,
  TipReadSrcMemoFile,
  TipIgnoreAllZeroMemoFile,
  TipTempDir,
  TipMoreDir,
  TipBufSize,
  TipManualLink,
  TipLicenseLink,
  TipTemplate,
  TipTemplatePath,
  TipTemplateMore,
};

// The text of one entry, translated when a translation is installed. Its slots
// "%1", "%2" ... are filled with QString::arg, every slot in one call.
QString AppString(StrId id);

// A count grouped with the user's thousands separator, no decimals.
QString GroupedNumber(qint64 value);

#endif
