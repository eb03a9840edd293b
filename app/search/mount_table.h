#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// What kind of drive a mounted file system is, in the terms of the drive types users know.
enum class DriveKind { Unknown, Fixed, Removable, Remote, CdRom, RamDisk, Pseudo };

struct MountEntry {
  dev_t Device = 0;  // as st_dev reports it for files on this mount
  std::string MountPoint;
  std::string FileSystem;
  std::string Source;
  DriveKind Kind = DriveKind::Unknown;
};

// The mounted file systems in mount order (/proc/self/mountinfo); empty when unreadable.
std::vector<MountEntry> ReadMountTable();

// Parses mountinfo text; every line that cannot be read is left out.
std::vector<MountEntry> ParseMountInfo(const std::string& text);

// The kind of a file system from its type and its source device.
DriveKind ClassifyMount(const std::string& fileSystem, const std::string& source);
