// The program's command line: one file to repair and the switches O and E; --open FILE
// to fill in the source without repairing; --version. Only "-" starts a switch, since
// "/" starts an absolute path here.
#ifndef TESSALY_COMMAND_LINE_H
#define TESSALY_COMMAND_LINE_H

#include <QString>
#include <QStringList>
#include <optional>

// The first argument that is not a switch, or empty.
QString CommandLineFileName(const QStringList& arguments);
// True when one argument is the switch of that name, ignoring case.
bool HasCommandLineSwitch(const QStringList& arguments, const QString& name);

// The argument after --open (empty when --open is the last one); nothing without --open.
std::optional<QString> CommandLineOpenFile(const QStringList& arguments);
// True when one argument is --version.
bool AsksForVersion(const QStringList& arguments);

#endif
