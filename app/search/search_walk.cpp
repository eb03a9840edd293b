#include "search_walk.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstring>

#include "file_time.h"
#include "search_file_grep.h"
#include "search_list.h"

namespace {

constexpr char kPathDelimiter = '/';
constexpr TSPFileAttributes kTestedAttributes =
    TSPFileAttributes(fmReadOnly) | fmHidden | fmSystem | fmArchive;

bool IsDotOrDotDot(const std::string& name) { return name == "." || name == ".."; }

std::string Encode(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString Decode(const std::string& path) {
  return QFile::decodeName(QByteArray::fromRawData(path.data(), static_cast<qsizetype>(path.size())));
}

}  // namespace

SearchWalk::SearchWalk(TSearchFileGrep& owner) : FOwner(owner) {
  PrepareCriteria();
  PrepareDateBounds();
  PrepareMounts();
}

void SearchWalk::PrepareCriteria() {
  const QString masks = FOwner.FileMasks.isEmpty() ? QStringLiteral("*.*") : FOwner.FileMasks;
  for (const QString& mask : SplitSearchList(masks)) FMasks.emplace_back(mask);
  FSizeTest = FOwner.MinSize > 0 || FOwner.MaxSize != 0;
  // fmAnyfile stands for every attribute bit, which switches the test off.
  if (!FOwner.Attributes.testFlag(fmAnyfile)) {
    FRequiredAttributes = FOwner.Attributes & kTestedAttributes;
  }
  FContentSearch = !FOwner.SearchString().isEmpty();
  if (FContentSearch) FMatcher.Prepare(FOwner.SearchString(), FOwner.SearchOptions);
}

void SearchWalk::PrepareDateBounds() {
  const struct {
    TSPCheckDate Check;
    const TSPDateTime& Bound;
    TimeKind Kind;
    bool After;
  } bounds[] = {
      {scdCreateAfter, FOwner.CreatedAfter, TimeKind::Created, true},
      {scdCreateBefore, FOwner.CreatedBefore, TimeKind::Created, false},
      {scdAccessedAfter, FOwner.AccessedAfter, TimeKind::Accessed, true},
      {scdAccessedBefore, FOwner.AccessedBefore, TimeKind::Accessed, false},
      {scdModifiedAfter, FOwner.ModifiedAfter, TimeKind::Modified, true},
      {scdModifiedBefore, FOwner.ModifiedBefore, TimeKind::Modified, false},
  };
  for (const auto& bound : bounds) {
    if (!FOwner.CheckDates.testFlag(bound.Check) || !bound.Bound.IsPositive()) continue;
    FDateBounds.push_back({bound.Kind, bound.After, WallClockNanoseconds(bound.Bound.DateTime())});
    if (bound.Kind == TimeKind::Created) FWantBirthTime = true;
  }
  if (FOwner.ResultValues.testFlag(srsCreateDate)) FWantBirthTime = true;
}

void SearchWalk::PrepareMounts() {
  for (const MountEntry& mount : ReadMountTable()) {
    std::optional<DriveType> type;
    if (!IsPseudoFileSystem(mount.fileSystem)) type = ClassifyMount(mount, IsRemovableBlockDevice);
    FDriveTypes.emplace(mount.deviceNumber, type);
  }
}

void SearchWalk::Run() {
  const QStringList folders = SplitSearchList(FOwner.Dirs);
  std::vector<std::string> roots;
  for (const QString& folder : folders) {
    const QString trimmed = folder.trimmed();
    if (trimmed.isEmpty()) continue;
    roots.push_back(Encode(trimmed));
    struct stat st {};
    if (stat(roots.back().c_str(), &st) == 0) FRoots.emplace_back(st.st_dev, st.st_ino);
  }
  for (const std::string& root : roots) {
    if (FOwner.IsStopped() && FOwner.FThread) break;
    Walk(root, std::nullopt);
  }
}

void SearchWalk::PumpEvents() const {
  QCoreApplication* application = QCoreApplication::instance();
  if (application != nullptr && QThread::currentThread() == application->thread()) {
    QCoreApplication::processEvents();
  }
}

bool SearchWalk::MayEnter(const DirectoryListing& listing, std::optional<dev_t> parentDevice) const {
  if (parentDevice == listing.Device()) return true;
  // A device the mount table does not name is entered, as a fixed drive would be.
  const auto known = FDriveTypes.find(listing.Device());
  if (known != FDriveTypes.end()) {
    const std::optional<DriveType>& type = known->second;
    if (!type) return false;
    if (FOwner.FixedDrivesOnly && *type != DriveType::kFixed) return false;
  }
  if (!parentDevice) return true;
  // A mounted folder that is itself one of the folders to search is walked in its own turn.
  const std::pair<dev_t, ino_t> id(listing.Device(), listing.Inode());
  return std::find(FRoots.begin(), FRoots.end(), id) == FRoots.end();
}

void SearchWalk::Walk(std::string folder, std::optional<dev_t> parentDevice) {
  if (folder.empty() || folder.back() != kPathDelimiter) folder += kPathDelimiter;
  // A folder named in the list may be reached through a link; below it, links are not followed.
  DirectoryListing listing;
  const bool opened = listing.Open(folder, !parentDevice.has_value());
  if (opened && !MayEnter(listing, parentDevice)) return;
  PumpEvents();
  const QString folderText = Decode(folder);
  if (FOwner.OnDirChange) FOwner.OnDirChange(&FOwner, folderText);
  if (!opened) return;  // unreadable or gone: nothing to report

  const std::vector<DirectoryEntry>& entries = listing.Entries();
  for (const FileMask& mask : FMasks) {
    for (const DirectoryEntry& entry : entries) {
      if (FOwner.IsStopped()) break;
      if (mask.Matches(entry.Name.c_str())) Examine(folder, folderText, entry, listing.Descriptor());
    }
  }
  listing.Close();
  if (FOwner.IsStopped() || !FOwner.RecurseSubDirs) return;
  for (const DirectoryEntry& entry : entries) {
    if (IsFolderEntry(entry) && !IsDotOrDotDot(entry.Name)) Walk(folder + entry.Name, listing.Device());
    if (FOwner.IsStopped()) break;
  }
}

void SearchWalk::Examine(const std::string& folder, const QString& folderText,
                         const DirectoryEntry& entry, int folderFd) {
  if (FOwner.OnFileChange) FOwner.OnFileChange(&FOwner, Decode(entry.Name));
  Candidate candidate{entry, folderFd, std::nullopt};
  if (FSizeTest && !PassesSize(candidate)) return;
  if (IsDotOrDotDot(entry.Name)) return;
  if (FRequiredAttributes && !PassesAttributes(candidate)) return;
  if (!FDateBounds.empty() && !PassesDates(candidate)) return;
  if (FContentSearch && !PassesContent(candidate, folder)) return;
  Report(candidate, folderText);
}

const EntryInfo* SearchWalk::InfoOf(Candidate& candidate) const {
  if (!candidate.Info && !candidate.Vanished) {
    EntryInfo info;
    if (ReadEntryInfo(candidate.FolderFd, candidate.Entry.Name.c_str(), FWantBirthTime, info)) {
      candidate.Info = info;
    } else {
      candidate.Vanished = true;
    }
  }
  return candidate.Info ? &*candidate.Info : nullptr;
}

bool SearchWalk::PassesSize(Candidate& candidate) const {
  const EntryInfo* info = InfoOf(candidate);
  if (info == nullptr) return false;
  return info->Size >= FOwner.MinSize && (FOwner.MaxSize == 0 || info->Size <= FOwner.MaxSize);
}

bool SearchWalk::PassesAttributes(Candidate& candidate) const {
  // Hidden is a matter of the name; the others need the file's mode.
  mode_t mode = S_IFREG | S_IWUSR;
  if (FRequiredAttributes != TSPFileAttributes(fmHidden)) {
    const EntryInfo* info = InfoOf(candidate);
    if (info == nullptr) return false;
    mode = info->Mode;
  }
  const TSPFileAttributes present = EntryAttributes(candidate.Entry.Name.c_str(), mode);
  return (present & FRequiredAttributes) == FRequiredAttributes;
}

bool SearchWalk::PassesDates(Candidate& candidate) const {
  const EntryInfo* info = InfoOf(candidate);
  if (info == nullptr) return false;
  std::optional<qint64> local[3];  // each file time converted to local time once
  for (const DateBound& bound : FDateBounds) {
    const int index = static_cast<int>(bound.Kind);
    if (!local[index]) {
      const timespec& time = bound.Kind == TimeKind::Created    ? info->Created
                             : bound.Kind == TimeKind::Accessed ? info->Accessed
                                                                : info->Modified;
      local[index] = LocalWallClockNanoseconds(time);
    }
    const bool passes = bound.After ? *local[index] >= bound.WallClock : *local[index] <= bound.WallClock;
    if (!passes) return false;
  }
  return true;
}

bool SearchWalk::PassesContent(Candidate& candidate, const std::string& folder) const {
  const EntryInfo* info = InfoOf(candidate);
  if (info == nullptr || S_ISDIR(info->Mode)) return false;
  const std::string path = folder + candidate.Entry.Name;
  switch (FMatcher.Search(path)) {
    case ContentMatcher::Result::Found:
      return true;
    case ContentMatcher::Result::CannotOpen:
      if (FOwner.OnErrorOpenFile) FOwner.OnErrorOpenFile(&FOwner, Decode(path));
      return false;
    case ContentMatcher::Result::NotFound:
      return false;
  }
  return false;
}

void SearchWalk::Report(Candidate& candidate, const QString& folderText) {
  const TSPResults wanted = FOwner.ResultValues;
  const QString name = Decode(candidate.Entry.Name);
  FRecord = TSPFileRecord{};
  if (wanted.testFlag(srsDir)) FRecord.Dir = folderText;
  if (wanted.testFlag(srsFilename)) FRecord.FileName = name;
  const TSPResults fileData = TSPResults(srsAttr) | srsSize | srsCreateDate | srsLastAccessDate |
                              srsLastModifiedDate;
  if (wanted & fileData) {
    if (const EntryInfo* info = InfoOf(candidate)) {
      if (wanted.testFlag(srsAttr)) FRecord.Attr = EntryAttributes(candidate.Entry.Name.c_str(), info->Mode);
      if (wanted.testFlag(srsSize)) FRecord.Size = info->Size;
      if (wanted.testFlag(srsCreateDate)) FRecord.CreateDate = PackedLocalDateTime(info->Created);
      if (wanted.testFlag(srsLastAccessDate)) FRecord.LastAccessDate = PackedLocalDateTime(info->Accessed);
      if (wanted.testFlag(srsLastModifiedDate)) FRecord.LastModifiedDate = PackedLocalDateTime(info->Modified);
    }
  }
  if (FOwner.OnFound) FOwner.OnFound(&FOwner, &FRecord);
  if (FOwner.InternalFoundList) FOwner.AddFound(folderText + name);
}
