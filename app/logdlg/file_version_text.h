#pragma once

#include <QString>

#include <cstdint>

// Which text GetFileVersionText gives.
enum FileVersionSelector : int {
  kFileVersionMajorMinor = 0,
  kFileVersionReleaseBuild = 1,
  kFileVersionFull = 2,
  kProductVersionMajorMinor = 3,
  kProductVersionReleaseBuild = 4,
  kProductVersionFull = 5,
};

// "high.low" of a 32-bit version word.
QString FormatVersionPair(uint32_t value);

// The version text of a binary's version note by selector; empty for a file without the
// note, a file that cannot be read, or an unknown selector.
QString GetFileVersionText(const QString& fileName, int selector);
