#pragma once

#include <sys/types.h>

#include <QString>

#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "content_matcher.h"
#include "directory_listing.h"
#include "entry_info.h"
#include "file_mask.h"
#include "logdlg/mounted_drives.h"
#include "search_types.h"

class TSearchFileGrep;

// One search over all folders of a TSearchFileGrep, with its criteria prepared once: the
// folder's files mask by mask, then its subfolders, depth first.
class SearchWalk {
 public:
  explicit SearchWalk(TSearchFileGrep& owner);

  void Run();

 private:
  enum class TimeKind { Created, Accessed, Modified };
  struct DateBound {
    TimeKind Kind;
    bool After;
    qint64 WallClock;
  };
  // The entry being examined, its file data read on first need.
  struct Candidate {
    const DirectoryEntry& Entry;
    int FolderFd;
    std::optional<EntryInfo> Info;
    bool Vanished = false;
  };

  void PrepareCriteria();
  void PrepareDateBounds();
  void PrepareMounts();
  void Walk(std::string folder, std::optional<dev_t> parentDevice);
  bool MayEnter(const DirectoryListing& listing, std::optional<dev_t> parentDevice) const;
  void PumpEvents() const;
  void Examine(const std::string& folder, const QString& folderText, const DirectoryEntry& entry,
               int folderFd);
  const EntryInfo* InfoOf(Candidate& candidate) const;
  bool PassesSize(Candidate& candidate) const;
  bool PassesAttributes(Candidate& candidate) const;
  bool PassesDates(Candidate& candidate) const;
  bool PassesContent(Candidate& candidate, const std::string& folder) const;
  void Report(Candidate& candidate, const QString& folderText);

  TSearchFileGrep& FOwner;
  std::vector<FileMask> FMasks;
  bool FSizeTest = false;
  TSPFileAttributes FRequiredAttributes;
  std::vector<DateBound> FDateBounds;
  bool FWantBirthTime = false;
  bool FContentSearch = false;
  ContentMatcher FMatcher;
  // What each mounted device is; a pseudo file system is held as no type at all.
  std::unordered_map<dev_t, std::optional<DriveType>> FDriveTypes;
  std::vector<std::pair<dev_t, ino_t>> FRoots;
  TSPFileRecord FRecord;
};
