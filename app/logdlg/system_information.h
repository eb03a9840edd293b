#pragma once

#include <QString>
#include <QStringList>

// Appends the system-information block: version, operating system, directories, memory,
// environment and drives, each group closed by a separator, then its end line.
void AddSystemInformation(QStringList& list);

// The groups of the block, each usable on its own.
void AddVersionInformation(QStringList& list, const QString& executablePath);
// The kernel release (such as "6.1.0-18-amd64") gives major, minor and patch.
void AddOperatingSystemInformation(QStringList& list, const QString& systemName,
                                   const QString& kernelRelease);
void AddOperatingSystemInformation(QStringList& list);
void AddDirectoryInformation(QStringList& list);
void AddEnvironmentInformation(QStringList& list);
