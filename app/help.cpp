// Help: the Help button, F1 and the About page's links open the manual and
// the license that ship with the program, with the desktop's program for
// them or, where there is none, in the window's own help window.
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QShortcut>
#include <QUrl>

#include "app_strings.h"
#include "help_window.h"
#include "hyperlink_label.h"
#include "main_form.h"
#include "message_box.h"
#include "shipped_files.h"

namespace {

// The file's path where it was found, else its name.
QString LinkText(const char* name) {
  const QString path = FindShippedFile(QString::fromLatin1(name));
  return path.isEmpty() ? QString::fromLatin1(name) : QDir::toNativeSeparators(path);
}

}  // namespace

void TMainForm::CreateHelpShortcut() {
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, &TMainForm::btnHelpClick);
}

void TMainForm::ShowShippedFileLinks() {
  labManual->setText(LinkText(kManualFileName));
  labLicense->setText(LinkText(kLicenseFileName));
}

void TMainForm::btnHelpClick() { OpenShippedFile(kManualFileName); }

void TMainForm::labManualClick() { OpenShippedFile(kManualFileName); }

void TMainForm::labLicenseClick() { OpenShippedFile(kLicenseFileName); }

void TMainForm::OpenShippedFile(const char* name) {
  const QString fileName = QString::fromLatin1(name);
  const QString path = FindShippedFile(fileName);
  if (path.isEmpty()) {
    // Named where an installation keeps it.
    const QStringList places =
        ShippedFileCandidates(fileName, QCoreApplication::applicationDirPath());
    ShowError(this, AppString(StrId::CannotOpenFile).arg(places.last()));
    return;
  }
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
  if (HelpWindow == nullptr) {
    HelpWindow = new THelpWindow(this);
    HelpWindow->setObjectName(QStringLiteral("HelpWindow"));
  }
  HelpWindow->ShowFile(path);
}
