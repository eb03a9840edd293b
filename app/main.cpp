#include <QApplication>
#include <cstdio>

#include "app_strings.h"
#include "command_line.h"
#include "main_form.h"

namespace {

QStringList ArgumentsAfterProgramName(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

int PrintVersion() {
  const QString version = QStringLiteral("%1.%2.%3")
                              .arg(TESSALY_VERSION_MAJOR)
                              .arg(TESSALY_VERSION_MINOR)
                              .arg(TESSALY_VERSION_PATCH);
  const QString line = AppString(StrId::VersionOutput).arg(AppString(StrId::AppTitle), version);
  std::printf("%s\n", qPrintable(line));
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that it needs no display.
  if (AsksForVersion(ArgumentsAfterProgramName(argc, argv))) return PrintVersion();
  QApplication application(argc, argv);
  // Ties the windows to the desktop entry, whose icon the desktop then shows for them.
  QGuiApplication::setDesktopFileName(QStringLiteral(TESSALY_APP_ID));
  TMainForm form(application.arguments().mid(1));
  if (form.EndRequested()) return form.CommandLineExitStatus();
  if (!form.isVisible()) form.ShowCentred();
  return application.exec();
}
