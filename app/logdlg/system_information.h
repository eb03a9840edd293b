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
// Every entry of the environment, in order; see EnvironmentLine.
void AddEnvironmentInformation(QStringList& list);
// One entry as the log lists it: the value of a variable whose name holds TOKEN, SECRET,
// PASSWORD, PASSWD, PASS, KEY, CREDENTIAL, AUTH, COOKIE, SESSION or PRIVATE (any case) is
// written as "(hidden)", since the log goes to whoever helps the user.
QString EnvironmentLine(const QString& entry);
