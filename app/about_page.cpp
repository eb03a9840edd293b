// The "About" page: icon, title, version, notice and the two links.
#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QUrl>

#include "app_strings.h"
#include "hyperlink_label.h"
#include "main_form.h"
#include "message_box.h"
#include "ui_metrics.h"

namespace {

constexpr int kIconSize = 48;
constexpr double kTitleScale = 1.6;

QLabel* Caption(StrId id, QWidget* parent) { return new QLabel(AppString(id), parent); }

void OpenAddress(QWidget* parent, const QString& address) {
  if (!QDesktopServices::openUrl(QUrl(address)))
    ShowError(parent, AppString(StrId::CannotOpenOrRun).arg(address));
}

}  // namespace

QWidget* TMainForm::CreateAboutPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsAbout"));
  imgIcon = new QLabel(page);
  imgIcon->setObjectName(QStringLiteral("imgIcon"));
  imgIcon->setPixmap(QIcon(QStringLiteral(":/icon.png")).pixmap(kIconSize, kIconSize));
  labTitle = new QLabel(page);
  labTitle->setObjectName(QStringLiteral("labTitle"));
  QFont titleFont = labTitle->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * kTitleScale);
  labTitle->setFont(titleFont);
  labVersion = new QLabel(page);
  labVersion->setObjectName(QStringLiteral("labVersion"));
  labNotice = new QLabel(page);
  labNotice->setObjectName(QStringLiteral("labNotice"));
  labNotice->setWordWrap(true);
  labHomepage = new THyperlinkLabel(page);
  labHomepage->setObjectName(QStringLiteral("labHomepage"));
  labEmail = new THyperlinkLabel(page);
  labEmail->setObjectName(QStringLiteral("labEmail"));

  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(ScaledX(this, 24), ScaledY(this, 20), ScaledX(this, 24),
                           ScaledY(this, 12));
  grid->setHorizontalSpacing(ScaledX(this, 12));
  grid->setVerticalSpacing(ScaledY(this, 8));
  grid->addWidget(imgIcon, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(labTitle, 0, 1, 1, 2);
  grid->addWidget(Caption(StrId::AboutVersionLabel, page), 1, 1);
  grid->addWidget(labVersion, 1, 2);
  grid->addWidget(labNotice, 2, 1, 1, 2);
  grid->addWidget(Caption(StrId::AboutHomepageLabel, page), 3, 1);
  grid->addWidget(labHomepage, 3, 2);
  grid->addWidget(Caption(StrId::AboutEmailLabel, page), 4, 1);
  grid->addWidget(labEmail, 4, 2);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(5, 1);

  connect(labHomepage, &THyperlinkLabel::clicked, this, &TMainForm::labHomepageClick);
  connect(labEmail, &THyperlinkLabel::clicked, this, &TMainForm::labEmailClick);
  return page;
}

void TMainForm::labHomepageClick() { OpenAddress(this, labHomepage->text()); }

void TMainForm::labEmailClick() {
  OpenAddress(this, AppString(StrId::MailtoPrefix) + labEmail->text());
}
