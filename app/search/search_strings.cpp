#include "search_strings.h"

#include <QByteArray>

namespace {

struct TextEntry {
  SearchTextId Id;
  const char* Text;
};

constexpr TextEntry kTexts[] = {
    {kTextSearchCaption, "Search for DBF file to be repaired"},
    {kTextSearchOptions, "Search Options:"},
    {kTextPageGeneral, "General"},
    {kTextPageDateTime, "Date && Time"},
    {kTextPageSizeAttributes, "Size && Attributes"},
    {kTextFilesNamed, "Search for files named:"},
    {kTextFileFilter, "DBF files (*.dbf)|*.dbf"},
    {kTextLookIn, "&Look in:"},
    {kTextLocalHarddrives, "Local Harddrives (%s)"},
    {kTextBrowse, "&Browse ..."},
    {kTextSearchSubfolders, "Search &Subfolders"},
    {kTextFileCreatedTime, "File Created Time"},
    {kTextFileLastAccessedTime, "File Last Accessed Time"},
    {kTextFileModifiedTime, "File Modified Time"},
    {kTextFrom, "From:"},
    {kTextTo, "To:"},
    {kTextFileSize, "File Size"},
    {kTextAtLeast, "At least"},
    {kTextAtMost, "At most"},
    {kTextBytes, "bytes"},
    {kTextFileAttributes, "File Attributes"},
    {kTextAttrReadOnly, "ReadOnly"},
    {kTextAttrHidden, "Hidden"},
    {kTextAttrSystem, "System"},
    {kTextAttrArchive, "Archive"},
    {kTextSearchNow, "Search Now"},
    {kTextStopSearch, "Stop Search"},
    {kTextSearchResults, "Search Results:"},
    {kTextColumnName, "Name"},
    {kTextColumnDirectory, "Directory"},
    {kTextColumnSize, "Size(bytes)"},
    {kTextColumnCreated, "Created"},
    {kTextColumnLastAccessed, "Last Accessed"},
    {kTextColumnLastModified, "Last Modified"},
    {kTextOK, "&OK"},
    {kTextCancel, "&Cancel"},
    {kTextFilesFound, "%d file(s) found"},
    {kTextSearchCancelled, "Search is cancelled by the user!"},
    {kTextSearchCompleted, "Search is completed. %d file(s) found."},
    {kTextSelectFiles, "Please select the file(s) to be repaired from the search results!"},
    {kTextConfirmCloseSearch, "Cancel the current search and close the search window?"},
    {kTextInvalidInteger, "'%s' is not a valid integer value"},
    {kTextInvalidSearchExpression, "Invalid search expression"},
    {kTextCaptionInformation, "Information"},
    {kTextCaptionConfirm, "Confirm"},
    {kTextCaptionError, "Error"},
};

const char* RawText(SearchTextId id) {
  for (const TextEntry& entry : kTexts) {
    if (entry.Id == id) return entry.Text;
  }
  return "";
}

}  // namespace

QString SearchText(SearchTextId id) { return QString::fromUtf8(RawText(id)); }

QString FormatSearchText(SearchTextId id, int value) { return QString::asprintf(RawText(id), value); }

QString FormatSearchText(SearchTextId id, const QString& value) {
  return QString::asprintf(RawText(id), value.toUtf8().constData());
}
