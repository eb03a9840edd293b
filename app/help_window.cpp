#include "help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app_strings.h"
#include "path_functions.h"
#include "ui_metrics.h"

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent), FBrowser(new QTextBrowser(this)) {
  setWindowTitle(AppString(StrId::HelpWindowTitle));
  FBrowser->setObjectName(QStringLiteral("HelpBrowser"));
  FBrowser->setOpenExternalLinks(true);
  FBrowser->setAccessibleName(AppString(StrId::HelpWindowTitle));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FBrowser);
  resize(ScaledSize(this, 640, 480));
}

void THelpWindow::ShowFile(const QString& path) {
  if (HasExtension(path, QStringLiteral(".html"))) {
    FBrowser->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
  } else {
    QFile file(path);
    FBrowser->setPlainText(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                                          : QString());
  }
  show();
  raise();
  activateWindow();
}
