// The program's command line: one file to repair and the switches O and E.
// Only "-" starts a switch, since "/" starts an absolute path here.
#ifndef TESSALY_COMMAND_LINE_H
#define TESSALY_COMMAND_LINE_H

#include <QString>
#include <QStringList>

// The first argument that is not a switch, or empty.
QString CommandLineFileName(const QStringList& arguments);
// True when one argument is the switch of that name, ignoring case.
bool HasCommandLineSwitch(const QStringList& arguments, const QString& name);

#endif
