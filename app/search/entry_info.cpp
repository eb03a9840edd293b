#include "entry_info.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace {

timespec ToTimespec(const statx_timestamp& stamp) {
  return timespec{static_cast<time_t>(stamp.tv_sec), static_cast<long>(stamp.tv_nsec)};
}

bool Statx(int folderFd, const char* name, int flags, unsigned mask, struct statx& st) {
  return statx(folderFd, name, flags | AT_NO_AUTOMOUNT, mask, &st) == 0;
}

}  // namespace

bool ReadEntryInfo(int folderFd, const char* name, bool wantBirthTime, EntryInfo& info) {
  const unsigned mask = STATX_BASIC_STATS | (wantBirthTime ? STATX_BTIME : 0u);
  struct statx st {};
  if (!Statx(folderFd, name, 0, mask, st)) {
    if (errno != ENOENT && errno != ELOOP) return false;
    if (!Statx(folderFd, name, AT_SYMLINK_NOFOLLOW, mask, st)) return false;
  }
  info.Mode = st.stx_mode;
  info.Size = S_ISDIR(st.stx_mode) ? 0 : static_cast<qint64>(st.stx_size);
  info.Accessed = ToTimespec(st.stx_atime);
  info.Modified = ToTimespec(st.stx_mtime);
  const bool hasBirthTime = (st.stx_mask & STATX_BTIME) != 0;
  info.Created = hasBirthTime ? ToTimespec(st.stx_btime) : info.Modified;
  return true;
}

TSPFileAttributes EntryAttributes(const char* name, mode_t mode) {
  TSPFileAttributes attributes;
  if ((mode & S_IWUSR) == 0) attributes |= fmReadOnly;
  if (name[0] == '.') attributes |= fmHidden;
  if (!S_ISREG(mode) && !S_ISDIR(mode)) attributes |= fmSystem;
  if (S_ISREG(mode)) attributes |= fmArchive;
  return attributes;
}
