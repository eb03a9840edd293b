#pragma once

#include <dirent.h>
#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

struct DirectoryEntry {
  std::string Name;
  unsigned char Type = DT_UNKNOWN;  // DT_DIR, DT_REG, DT_LNK... (a link is not resolved)
};

// The entries of one folder, read at once in the order the file system returns them. The
// folder stays open until Close, so that entries can be examined relative to it.
class DirectoryListing {
 public:
  // followLink false refuses a folder reached through a symbolic link.
  bool Open(const std::string& path, bool followLink);
  void Close() { FDir.reset(); }

  dev_t Device() const { return FDevice; }
  ino_t Inode() const { return FInode; }
  int Descriptor() const;
  const std::vector<DirectoryEntry>& Entries() const { return FEntries; }

 private:
  struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
  };
  void ReadEntries();

  std::unique_ptr<DIR, DirCloser> FDir;
  dev_t FDevice = 0;
  ino_t FInode = 0;
  std::vector<DirectoryEntry> FEntries;
};

// True for a folder entry; a symbolic link to a folder is not one.
bool IsFolderEntry(const DirectoryEntry& entry);
