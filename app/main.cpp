#include <QApplication>

#include "main_form.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  TMainForm form(application.arguments().mid(1));
  if (form.EndRequested()) return form.CommandLineExitStatus();
  if (!form.isVisible()) form.ShowCentred();
  return application.exec();
}
