#pragma once

#include <ctime>
#include <sys/types.h>

#include "search_types.h"

// What the walk needs to know about one directory entry. A symbolic link reports what it
// points to; a dangling link reports itself.
struct EntryInfo {
  qint64 Size = 0;  // a folder counts as 0 bytes
  mode_t Mode = 0;
  timespec Created{};  // birth time where the file system records it, else modification time
  timespec Accessed{};
  timespec Modified{};
};

// Reads the entry `name` of the folder open as `folderFd`; false when it has vanished.
bool ReadEntryInfo(int folderFd, const char* name, bool wantBirthTime, EntryInfo& info);

// ReadOnly: the owner may not write; Hidden: the name starts with "."; System: neither a
// regular file nor a folder; Archive: a regular file.
TSPFileAttributes EntryAttributes(const char* name, mode_t mode);
