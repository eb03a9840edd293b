#pragma once

#include <QString>

// Ids of the search dialog's string table. Texts are looked up by id so that they can be
// translated without touching the code.
enum SearchTextId : int {
  kTextSearchCaption = 4001,
  kTextSearchOptions,
  kTextPageGeneral,
  kTextPageDateTime,
  kTextPageSizeAttributes,
  kTextFilesNamed,
  kTextFileFilter,
  kTextLookIn,
  kTextLocalHarddrives,
  kTextBrowse,
  kTextSearchSubfolders,
  kTextFileCreatedTime,
  kTextFileLastAccessedTime,
  kTextFileModifiedTime,
  kTextFrom,
  kTextTo,
  kTextFileSize,
  kTextAtLeast,
  kTextAtMost,
  kTextBytes,
  kTextFileAttributes,
  kTextAttrReadOnly,
  kTextAttrHidden,
  kTextAttrSystem,
  kTextAttrArchive,
  kTextSearchNow,
  kTextStopSearch,
  kTextSearchResults,
  kTextColumnName,
  kTextColumnDirectory,
  kTextColumnSize,
  kTextColumnCreated,
  kTextColumnLastAccessed,
  kTextColumnLastModified,
  kTextOK,
  kTextCancel,
  kTextFilesFound,
  kTextSearchCancelled,
  kTextSearchCompleted,
  kTextSelectFiles,
  kTextConfirmCloseSearch,
  kTextInvalidInteger,
  kTextInvalidSearchExpression,
  kTextCaptionInformation,
  kTextCaptionConfirm,
  kTextCaptionError,
};

// The text for an id, translated when a translation is installed; an empty text for an id
// the table does not hold. Its slot "%1" is filled with QString::arg.
QString SearchText(SearchTextId id);
