// The "About" page: icon, title, version, notice and the links to the manual
// and the license that ship with the program.
#include <QGridLayout>
#include <QLabel>

#include "app_strings.h"
#include "hyperlink_label.h"
#include "main_form.h"
#include "ui_metrics.h"

namespace {

constexpr int kIconSize = 48;
constexpr double kTitleScale = 1.6;

QLabel* Caption(StrId id, QWidget* parent) { return new QLabel(AppString(id), parent); }

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
  labManual = new THyperlinkLabel(page);
  labManual->setObjectName(QStringLiteral("labManual"));
  labLicense = new THyperlinkLabel(page);
  labLicense->setObjectName(QStringLiteral("labLicense"));

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
  grid->addWidget(Caption(StrId::AboutManualLabel, page), 3, 1);
  grid->addWidget(labManual, 3, 2);
  grid->addWidget(Caption(StrId::AboutLicenseLabel, page), 4, 1);
  grid->addWidget(labLicense, 4, 2);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(5, 1);

  connect(labManual, &THyperlinkLabel::clicked, this, &TMainForm::labManualClick);
  connect(labLicense, &THyperlinkLabel::clicked, this, &TMainForm::labLicenseClick);
  return page;
}
