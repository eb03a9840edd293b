#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The four version words of a binary's version note (see tessaly_version.h).
struct VersionWords {
  uint32_t fileVersionHigh = 0;
  uint32_t fileVersionLow = 0;
  uint32_t productVersionHigh = 0;
  uint32_t productVersionLow = 0;
};

// Finds the version note among the note sections of an ELF file (32 or 64 bit, either
// byte order). Nothing when the file cannot be read, is no ELF file or has no such note.
std::optional<VersionWords> ReadElfVersionNote(const QString& fileName);
