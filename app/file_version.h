// Version numbers compiled into a binary and read back from any file.
#ifndef TESSALY_FILE_VERSION_H
#define TESSALY_FILE_VERSION_H

#include <QString>
#include <cstdint>

// "%d.%d" of the high and the low 16 bits of a version word.
QString FormatVersionPair(uint32_t value);

// Version text of a file by selector: 0 major.minor, 1 release.build, 2 all
// four numbers of the file version; 3, 4, 5 the same for the product version.
// Empty for other selectors and for a file without version numbers.
QString GetFileVersionText(const QString& fileName, int selector);

#endif
