// The files that ship with the program and that the window opens: the manual
// and the license. The build tree puts them beside the executable; an
// installation puts them into share/tessaly/ beside the executable's bin/.
#ifndef TESSALY_SHIPPED_FILES_H
#define TESSALY_SHIPPED_FILES_H

#include <QString>
#include <QStringList>

inline constexpr char kManualFileName[] = "tessaly.html";
inline constexpr char kLicenseFileName[] = "COPYING";

// The places looked at for a shipped file, in order.
QStringList ShippedFileCandidates(const QString& name, const QString& executableFolder);

// The first of them that exists, or empty.
QString FindShippedFile(const QString& name, const QString& executableFolder);
QString FindShippedFile(const QString& name);

#endif
