#include "directory_listing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool DirectoryListing::Open(const std::string& path, bool followLink) {
  FEntries.clear();
  const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
  const int fd = open(path.c_str(), flags);
  if (fd < 0) return false;
  struct stat st {};
  DIR* dir = fstat(fd, &st) == 0 ? fdopendir(fd) : nullptr;
  if (dir == nullptr) {
    close(fd);
    return false;
  }
  FDir.reset(dir);
  FDevice = st.st_dev;
  FInode = st.st_ino;
  ReadEntries();
  return true;
}

int DirectoryListing::Descriptor() const { return FDir ? dirfd(FDir.get()) : -1; }

void DirectoryListing::ReadEntries() {
  while (const dirent* entry = readdir(FDir.get())) {
    DirectoryEntry item{entry->d_name, entry->d_type};
    if (item.Type == DT_UNKNOWN) {
      // Some file systems leave the type to a separate look-up.
      struct stat st {};
      if (fstatat(Descriptor(), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(st.st_mode)) item.Type = DT_DIR;
        if (S_ISLNK(st.st_mode)) item.Type = DT_LNK;
      }
    }
    FEntries.push_back(std::move(item));
  }
}

bool IsFolderEntry(const DirectoryEntry& entry) { return entry.Type == DT_DIR; }
