// Path texts as the repair page handles them: the default output name and the
// extension tests.
#ifndef TESSALY_PATH_FUNCTIONS_H
#define TESSALY_PATH_FUNCTIONS_H

#include <QString>

// The path without its extension; the extension starts at the last "." that
// follows the last path delimiter.
QString StripExtension(const QString& path);
// The extension with its dot, or empty.
QString ExtractExtension(const QString& path);
// The default output: "_fixed" inserted before the extension.
QString MakeFixedFileName(const QString& path);
// Part k of a split output table: "_k" inserted before the extension.
QString MakeSplitFileName(const QString& path, int part);
// True when the path's extension (with its dot) equals extension, ignoring case.
bool HasExtension(const QString& path, const QString& extension);
// Size of the named file from its directory entry, without opening it; 0 when
// nothing of that name exists or it is a folder.
qint64 GetFileSize64(const QString& path);

#endif
