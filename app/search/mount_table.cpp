#include "mount_table.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 22> kPseudoFileSystems = {
    "proc",      "sysfs",      "devtmpfs", "devpts",      "cgroup",     "cgroup2",
    "securityfs", "debugfs",   "tracefs",  "configfs",    "fusectl",    "mqueue",
    "hugetlbfs", "pstore",     "bpf",      "binfmt_misc", "autofs",     "efivarfs",
    "rpc_pipefs", "nsfs",      "selinuxfs", "nfsd"};
constexpr std::array<std::string_view, 13> kRemoteFileSystems = {
    "nfs",  "nfs4",      "cifs",    "smb3",       "smbfs",      "ncpfs",     "afs",
    "9p",   "ceph",      "glusterfs", "fuse.sshfs", "davfs",    "fuse.rclone"};
constexpr std::array<std::string_view, 2> kOpticalFileSystems = {"iso9660", "udf"};
constexpr std::array<std::string_view, 2> kMemoryFileSystems = {"tmpfs", "ramfs"};
// File systems kept on local disks without naming a block device as their source.
constexpr std::array<std::string_view, 2> kDevicelessDiskFileSystems = {"zfs", "overlay"};

template <size_t N>
bool IsOneOf(const std::array<std::string_view, N>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// mountinfo writes blanks, tabs, newlines and backslashes in paths as octal escapes ("\040").
std::string Unescape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const bool octal = text[i] == '\\' && i + 3 < text.size() &&
                       std::all_of(text.begin() + i + 1, text.begin() + i + 4,
                                   [](char c) { return c >= '0' && c <= '7'; });
    if (octal) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 3), nullptr, 8));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

// A block device whose disk reports itself removable ("removable" of the disk, or of the disk
// that holds the partition).
bool IsRemovableBlockDevice(const std::string& source) {
  struct stat st {};
  if (stat(source.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) return false;
  const std::string base = "/sys/dev/block/" + std::to_string(major(st.st_rdev)) + ":" +
                           std::to_string(minor(st.st_rdev));
  for (const char* candidate : {"/removable", "/../removable"}) {
    std::ifstream flag(base + candidate);
    int value = 0;
    if (flag >> value) return value == 1;
  }
  return false;
}

}  // namespace

DriveKind ClassifyMount(const std::string& fileSystem, const std::string& source) {
  if (IsOneOf(kPseudoFileSystems, fileSystem)) return DriveKind::Pseudo;
  if (IsOneOf(kRemoteFileSystems, fileSystem)) return DriveKind::Remote;
  if (IsOneOf(kOpticalFileSystems, fileSystem)) return DriveKind::CdRom;
  if (IsOneOf(kMemoryFileSystems, fileSystem)) return DriveKind::RamDisk;
  if (source.starts_with("/dev/")) {
    return IsRemovableBlockDevice(source) ? DriveKind::Removable : DriveKind::Fixed;
  }
  if (IsOneOf(kDevicelessDiskFileSystems, fileSystem)) return DriveKind::Fixed;
  return DriveKind::Unknown;
}

std::vector<MountEntry> ParseMountInfo(const std::string& text) {
  std::vector<MountEntry> mounts;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    // id parent major:minor root mount-point options [optional fields] - type source options
    std::istringstream fields(line);
    std::string id, parent, device, root, mountPoint, options, field;
    if (!(fields >> id >> parent >> device >> root >> mountPoint >> options)) continue;
    while (fields >> field && field != "-") {
    }
    MountEntry entry;
    if (field != "-" || !(fields >> entry.FileSystem >> entry.Source)) continue;
    unsigned major = 0, minor = 0;
    if (std::sscanf(device.c_str(), "%u:%u", &major, &minor) != 2) continue;
    entry.Device = makedev(major, minor);
    entry.MountPoint = Unescape(mountPoint);
    entry.Source = Unescape(entry.Source);
    entry.Kind = ClassifyMount(entry.FileSystem, entry.Source);
    mounts.push_back(std::move(entry));
  }
  return mounts;
}

std::vector<MountEntry> ReadMountTable() {
  std::ifstream file("/proc/self/mountinfo");
  std::stringstream text;
  text << file.rdbuf();
  return ParseMountInfo(text.str());
}
