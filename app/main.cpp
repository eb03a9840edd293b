#include <QApplication>
#include <QScreen>

#include "main_form.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  TMainForm form(application.arguments().mid(1));
  if (form.EndRequested()) return 0;
  if (!form.isVisible()) {
    form.move(form.screen()->availableGeometry().center() - form.rect().center());
    form.show();
  }
  return application.exec();
}
