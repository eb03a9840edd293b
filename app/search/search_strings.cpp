#include "search_strings.h"

#include <QCoreApplication>

namespace {

struct TextEntry {
  SearchTextId Id;
  const char* Text;
};

constexpr TextEntry kTexts[] = {
    {kTextSearchCaption, QT_TRANSLATE_NOOP("SearchStrings", "Search for DBF file to be repaired")},
    {kTextSearchOptions, QT_TRANSLATE_NOOP("SearchStrings", "Search Options:")},
    {kTextPageGeneral, QT_TRANSLATE_NOOP("SearchStrings", "General")},
    {kTextPageDateTime, QT_TRANSLATE_NOOP("SearchStrings", "Date && Time")},
    {kTextPageSizeAttributes, QT_TRANSLATE_NOOP("SearchStrings", "Size && Attributes")},
    {kTextFilesNamed, QT_TRANSLATE_NOOP("SearchStrings", "Search for files named:")},
    {kTextFileFilter, QT_TRANSLATE_NOOP("SearchStrings", "DBF files (*.dbf)|*.dbf")},
    {kTextLookIn, QT_TRANSLATE_NOOP("SearchStrings", "&Look in:")},
    {kTextLocalHarddrives, QT_TRANSLATE_NOOP("SearchStrings", "Local Harddrives (%1)")},
    {kTextBrowse, QT_TRANSLATE_NOOP("SearchStrings", "&Browse ...")},
    {kTextSearchSubfolders, QT_TRANSLATE_NOOP("SearchStrings", "Search &Subfolders")},
    {kTextFileCreatedTime, QT_TRANSLATE_NOOP("SearchStrings", "File Created Time")},
    {kTextFileLastAccessedTime, QT_TRANSLATE_NOOP("SearchStrings", "File Last Accessed Time")},
    {kTextFileModifiedTime, QT_TRANSLATE_NOOP("SearchStrings", "File Modified Time")},
    {kTextFrom, QT_TRANSLATE_NOOP("SearchStrings", "From:")},
    {kTextTo, QT_TRANSLATE_NOOP("SearchStrings", "To:")},
    {kTextFileSize, QT_TRANSLATE_NOOP("SearchStrings", "File Size")},
    {kTextAtLeast, QT_TRANSLATE_NOOP("SearchStrings", "At least")},
    {kTextAtMost, QT_TRANSLATE_NOOP("SearchStrings", "At most")},
    {kTextBytes, QT_TRANSLATE_NOOP("SearchStrings", "bytes")},
    {kTextFileAttributes, QT_TRANSLATE_NOOP("SearchStrings", "File Attributes")},
    {kTextAttrReadOnly, QT_TRANSLATE_NOOP("SearchStrings", "ReadOnly")},
    {kTextAttrHidden, QT_TRANSLATE_NOOP("SearchStrings", "Hidden")},
    {kTextAttrSystem, QT_TRANSLATE_NOOP("SearchStrings", "System")},
    {kTextAttrArchive, QT_TRANSLATE_NOOP("SearchStrings", "Archive")},
    {kTextSearchNow, QT_TRANSLATE_NOOP("SearchStrings", "Search Now")},
    {kTextStopSearch, QT_TRANSLATE_NOOP("SearchStrings", "Stop Search")},
    {kTextSearchResults, QT_TRANSLATE_NOOP("SearchStrings", "Search Results:")},
    {kTextColumnName, QT_TRANSLATE_NOOP("SearchStrings", "Name")},
    {kTextColumnDirectory, QT_TRANSLATE_NOOP("SearchStrings", "Directory")},
    {kTextColumnSize, QT_TRANSLATE_NOOP("SearchStrings", "Size(bytes)")},
    {kTextColumnCreated, QT_TRANSLATE_NOOP("SearchStrings", "Created")},
    {kTextColumnLastAccessed, QT_TRANSLATE_NOOP("SearchStrings", "Last Accessed")},
    {kTextColumnLastModified, QT_TRANSLATE_NOOP("SearchStrings", "Last Modified")},
    {kTextOK, QT_TRANSLATE_NOOP("SearchStrings", "&OK")},
    {kTextCancel, QT_TRANSLATE_NOOP("SearchStrings", "&Cancel")},
    {kTextFilesFound, QT_TRANSLATE_NOOP("SearchStrings", "%1 file(s) found")},
    {kTextSearchCancelled, QT_TRANSLATE_NOOP("SearchStrings", "Search is cancelled by the user!")},
    {kTextSearchCompleted,
     QT_TRANSLATE_NOOP("SearchStrings", "Search is completed. %1 file(s) found.")},
    {kTextSelectFiles,
     QT_TRANSLATE_NOOP("SearchStrings",
                       "Please select the file(s) to be repaired from the search results!")},
    {kTextConfirmCloseSearch,
     QT_TRANSLATE_NOOP("SearchStrings", "Cancel the current search and close the search window?")},
    {kTextInvalidInteger, QT_TRANSLATE_NOOP("SearchStrings", "'%1' is not a valid integer value")},
    {kTextInvalidSearchExpression, QT_TRANSLATE_NOOP("SearchStrings", "Invalid search expression")},
    {kTextCaptionInformation, QT_TRANSLATE_NOOP("SearchStrings", "Information")},
    {kTextCaptionConfirm, QT_TRANSLATE_NOOP("SearchStrings", "Confirm")},
    {kTextCaptionError, QT_TRANSLATE_NOOP("SearchStrings", "Error")},
};

const char* RawText(SearchTextId id) {
  for (const TextEntry& entry : kTexts) {
    if (entry.Id == id) return entry.Text;
  }
  return "";
}

}  // namespace

QString SearchText(SearchTextId id) {
  return QCoreApplication::translate("SearchStrings", RawText(id));
}
