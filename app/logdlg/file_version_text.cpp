#include "logdlg/file_version_text.h"

#include "logdlg/elf_version_note.h"
#include "tessaly_version.h"

// The application's own version record lives beside its reader: every binary that
// reports versions carries one of its own.
TESSALY_VERSION_NOTE();

QString FormatVersionPair(uint32_t value) {
  return QStringLiteral("%1.%2").arg(value >> 16).arg(value & 0xFFFFu);
}

namespace {

// Selectors 0 to 2 ask for the file version, 3 to 5 for the product version, each as
// high word, low word or both.
QString VersionText(uint32_t high, uint32_t low, int part) {
  switch (part) {
    case kFileVersionMajorMinor:
      return FormatVersionPair(high);
    case kFileVersionReleaseBuild:
      return FormatVersionPair(low);
    default:
      return FormatVersionPair(high) + u'.' + FormatVersionPair(low);
  }
}

}  // namespace

QString GetFileVersionText(const QString& fileName, int selector) {
  if (selector < kFileVersionMajorMinor || selector > kProductVersionFull) return {};
  const std::optional<VersionWords> words = ReadElfVersionNote(fileName);
  if (!words) return {};
  if (selector >= kProductVersionMajorMinor) {
    return VersionText(words->productVersionHigh, words->productVersionLow,
                       selector - kProductVersionMajorMinor);
  }
  return VersionText(words->fileVersionHigh, words->fileVersionLow, selector);
}
