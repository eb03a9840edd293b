// Writes repair-log lines to a text file.
#ifndef TESSALY_LOG_FILE_H
#define TESSALY_LOG_FILE_H

#include <QString>
#include <QStringList>

// Creates the file anew with every line followed by CR LF, in the platform's
// narrow encoding; false when the file cannot be written.
bool WriteLogLines(const QString& path, const QStringList& lines);

#endif
