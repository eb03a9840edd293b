#include "message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "app_strings.h"

namespace {

int ShowBox(QWidget* parent, QMessageBox::Icon icon, StrId caption, const QString& text,
            QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, AppString(caption), text, buttons, parent);
  return box.exec();
}

}  // namespace

void ShowInformation(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::Information, StrId::CaptionInformation, text, QMessageBox::Ok);
}

void ShowResult(QWidget* parent, const QString& text, bool succeeded) {
  ShowBox(parent, succeeded ? QMessageBox::Information : QMessageBox::Warning,
          StrId::CaptionInformation, text, QMessageBox::Ok);
}

bool ShowResultOfferingView(QWidget* parent, const QString& text, bool succeeded) {
  QMessageBox box(succeeded ? QMessageBox::Information : QMessageBox::Warning,
                  AppString(StrId::CaptionInformation), text, QMessageBox::Ok, parent);
  QPushButton* view = box.addButton(AppString(StrId::View), QMessageBox::ActionRole);
  view->setObjectName(QStringLiteral("btnResultView"));
  view->setToolTip(AppString(StrId::TipView));
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  box.exec();
  return box.clickedButton() == view;
}

void ShowError(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::Critical, StrId::CaptionError, text, QMessageBox::Ok);
}

bool ConfirmYesNo(QWidget* parent, const QString& text) {
  return ShowBox(parent, QMessageBox::Warning, StrId::CaptionConfirm, text,
                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
