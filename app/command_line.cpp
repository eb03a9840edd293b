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

std::optional<QString> CommandLineOpenFile(const QStringList& arguments) {
  const qsizetype at = arguments.indexOf(QStringLiteral("--open"));
  if (at < 0) return std::nullopt;
  // A desktop launch without a file leaves "--open" last: just the window.
  return at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

bool AsksForVersion(const QStringList& arguments) {
  return arguments.contains(QStringLiteral("--version"));
}
