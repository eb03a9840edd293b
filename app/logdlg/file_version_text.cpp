#include "logdlg/file_version_text.h"

#include "logdlg/elf_version_note.h"
#include "tessaly_version.h"

// The application's own version record lives beside its reader: every binary that
// reports versions carries one of its own.
TESSALY_VERSION_NOTE();

QString FormatVersionPair(uint32_t value) {
  return QStringLiteral("%1.%2").arg(value >> 16).arg(value & 0xFFFFu);
}

QString GetFileVersionText(const QString& fileName, int selector) {
  const std::optional<VersionWords> words = ReadElfVersionNote(fileName);
  if (!words) return {};
  switch (selector) {
    case kFileVersionMajorMinor:
      return FormatVersionPair(words->fileVersionHigh);
    case kFileVersionReleaseBuild:
      return FormatVersionPair(words->fileVersionLow);
    case kFileVersionFull:
      return FormatVersionPair(words->fileVersionHigh) + u'.' +
             FormatVersionPair(words->fileVersionLow);
    case kProductVersionMajorMinor:
      return FormatVersionPair(words->productVersionHigh);
    case kProductVersionReleaseBuild:
      return FormatVersionPair(words->productVersionLow);
    case kProductVersionFull:
      return FormatVersionPair(words->productVersionHigh) + u'.' +
             FormatVersionPair(words->productVersionLow);
    default:
      return {};
  }
}
