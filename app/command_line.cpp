#include "command_line.h"

namespace {

bool IsSwitch(const QString& argument) { return argument.startsWith(u'-'); }

}  // namespace

QString CommandLineFileName(const QStringList& arguments) {
  for (const QString& argument : arguments)
    if (!argument.isEmpty() && !IsSwitch(argument)) return argument;
  return QString();
}

bool HasCommandLineSwitch(const QStringList& arguments, const QString& name) {
  for (const QString& argument : arguments)
    if (IsSwitch(argument) && argument.mid(1).compare(name, Qt::CaseInsensitive) == 0) return true;
  return false;
}
